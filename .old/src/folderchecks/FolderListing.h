#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace ojn {

// A music folder's files, listed once: its charts, and every file name
// for finding the OJMs the charts name.
struct FolderListing {
    QString folder;
    // Every entry ending in .ojn, in any case, in the folder itself (not in
    // subfolders), sorted by name: a folder, a pipe or a link to nothing so
    // named too, whose check then says what it is.
    QStringList chartPaths;
    // Every name in the folder, case-folded, for case-blind look-ups.
    QSet<QString> foldedFileNames;
    // The entries that are no regular file, case-folded, each with what it
    // is (see notRegularFileReason).
    QHash<QString, QString> notRegularFiles;
    // Why the folder could not be listed; empty when it was.
    QString error;

    [[nodiscard]] bool containsFile(const QString &fileName) const;
    // What keeps the entry of that name, in any case, from being read as a
    // file; empty for a regular file or none.
    [[nodiscard]] QString notRegularReason(const QString &fileName) const;
};

// Lists the folder; reads no file. The file system is asked for the names
// and types the listing itself returns, and only the entries that are no
// plain file (links among them) are looked at closer.
[[nodiscard]] FolderListing listFolder(const QString &folder);

} // namespace ojn
