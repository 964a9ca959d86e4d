#pragma once

#include <QString>

namespace ojn {

// What keeps `path` from being read as a file, in a clause for a message
// ("it is a named pipe (FIFO)", "it is a link to /mnt/x/o2ma5.ojn, which
// does not exist"): a folder, a pipe, a device, a socket, a link to none
// of a file, or a loop of links. Empty for a regular file (through links
// too), and for a path that is not there at all, whose own error says so.
// Costs a stat or two: call it for the few entries that are not plain
// files, or once a read has failed. One file per system
// (NotRegularFile_posix.cpp, NotRegularFile_win.cpp).
[[nodiscard]] QString notRegularFileReason(const QString &path);

} // namespace ojn
