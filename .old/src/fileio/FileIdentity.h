#pragma once

#include <QString>

namespace ojn {

// Whether `a` and `b` name one and the same file, whatever the path to it:
// through links or "..", and on Windows in any letter case. Compared by
// what the system knows the file by (device and inode on POSIX, volume
// serial number and file index on Windows), not by names. False when
// either does not exist.
[[nodiscard]] bool isSameFile(const QString &a, const QString &b);

} // namespace ojn
