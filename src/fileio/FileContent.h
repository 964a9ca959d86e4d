#pragma once

#include "result/Result.h"

#include <QByteArray>
#include <QString>

namespace ojn {

// A file's whole content: read, and compared with bytes or another file's.
// Only a regular file (through links) has content here: a folder, a named
// pipe or a device fails, or holds nothing, at once, never waiting.

// Reads a whole file, or says why it cannot.
[[nodiscard]] Result<QByteArray> readWholeFile(const QString &path);

// Whether the file at `path` holds exactly `bytes`; a file of another size
// is not read.
[[nodiscard]] bool fileHolds(const QString &path, const QByteArray &bytes);

// Whether two files hold the same bytes, read in pieces so that a large
// file costs no more memory than a piece, and files of two sizes nothing.
[[nodiscard]] bool sameBytes(const QString &a, const QString &b);

// A path as messages show it: with the system's own separators.
[[nodiscard]] QString shownPath(const QString &path);

} // namespace ojn
