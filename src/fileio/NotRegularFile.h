#pragma once

#include "result/Result.h"

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

// The guard before a file is opened to be read whole as `what` ("a chart
// file", "a song list"): a failure when `path` is there but is no regular
// file, since a pipe would keep the read waiting for ever: "X is not a
// regular file, so it cannot be a song list: it is a named pipe (FIFO)."
// A path that is not there passes, for the reader's own words.
[[nodiscard]] Result<> checkRegularFile(const QString &path, const QString &what);

} // namespace ojn
