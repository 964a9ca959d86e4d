// readFolderEntries on Windows, where Qt's iterator lists with
// FindFirstFileEx and its file info holds the attributes it gave.
#include "fileio/FolderEntries.h"

#include <QDirIterator>
#include <QFileInfo>

namespace ojn {

Result<QList<FolderEntry>> readFolderEntries(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return Failure{QStringLiteral("It is not a folder.")};
    if (!info.isReadable())
        return Failure{QStringLiteral("Access is denied.")};
    QList<FolderEntry> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo entry = it.fileInfo();
        const EntryType type = entry.isSymLink() ? EntryType::Link
            : entry.isDir()                      ? EntryType::Folder
            : entry.isFile()                     ? EntryType::File
                                                 : EntryType::Other;
        entries.append({it.fileName(), type, entry.isHidden()});
    }
    return entries;
}

} // namespace ojn
