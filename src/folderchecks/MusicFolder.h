#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace ojn {

// A music folder's files, listed once: its charts, and every file name
// for finding the OJMs the charts name.
struct MusicFolderListing {
    QString folder;
    // Every file ending in .ojn, in any case, in the folder itself (not in
    // subfolders), sorted by name.
    QStringList chartPaths;
    // Every file name in the folder, case-folded, for case-blind look-ups.
    QSet<QString> foldedFileNames;
    // Why the folder could not be listed; empty when it was.
    QString error;

    [[nodiscard]] bool containsFile(const QString &fileName) const;
};

// Lists the folder; reads no file. The file system is asked only for the
// names and types the listing itself returns.
[[nodiscard]] MusicFolderListing listMusicFolder(const QString &folder);

} // namespace ojn
