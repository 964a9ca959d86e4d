#pragma once

#include "result/Result.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QIODevice;

namespace ojn {

// Reads exactly `count` bytes at `offset` into `out`; false on a short
// read (an error, or a file that ended sooner than it should).
[[nodiscard]] bool readExactlyAt(QIODevice &device, qint64 offset, char *out, qint64 count);
// The same into a new array of `count` bytes.
[[nodiscard]] bool readExactlyAt(QIODevice &device, qint64 offset, qint64 count, QByteArray &out);

// Writes all `count` bytes; false when the device takes no more.
[[nodiscard]] bool writeAll(QIODevice &device, const char *data, qint64 count);

// "Writing <what> failed: <the device's reason>".
Result<> writeFailure(const QIODevice &device, const QString &what);

} // namespace ojn
