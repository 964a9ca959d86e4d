#pragma once

#include "result/Result.h"

#include <QList>
#include <QString>

namespace ojn {

// What an entry of a folder is, as the listing itself tells it.
enum class EntryType : quint8 {
    File,   // a regular file
    Folder,
    Link,   // a symbolic link (or on Windows another reparse point), to anything or nothing
    Other,  // a pipe, a device, a socket
};

struct FolderEntry {
    QString name;
    EntryType type = EntryType::File;
    bool hidden = false; // a dot file on POSIX, the hidden attribute on Windows
};

// Every entry of `folder` but "." and "..", in the order the system gives
// them, with the type the listing returns: no entry is opened, and only
// where the file system gives no type is one looked at. For folders of
// thousands of charts, which a plan or a save lists each time: on POSIX
// with readdir, since Qt's iterator makes a path and a file info per
// entry (FolderEntries_posix.cpp); on Windows with Qt's iterator, whose
// file info comes with the listing (FolderEntries_win.cpp). A folder that
// cannot be listed fails with the system's reason.
[[nodiscard]] Result<QList<FolderEntry>> readFolderEntries(const QString &folder);

// `folder` with "/" at its end, to put before an entry's name for its path.
[[nodiscard]] QString pathPrefixOf(const QString &folder);

// The file name a path ends in, as QFileInfo::fileName gives it, without
// making a file info: over a folder's charts that costs more than their
// checks.
[[nodiscard]] QString fileNameOfPath(const QString &path);

} // namespace ojn
