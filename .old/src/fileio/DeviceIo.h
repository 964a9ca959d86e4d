#pragma once

#include "result/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

class QFile;
class QIODevice;

namespace ojn {

// Reads exactly `count` bytes at `offset` into `out`; false on a short
// read (an error, or a file that ended sooner than it should).
[[nodiscard]] bool readExactlyAt(QIODevice &device, qint64 offset, char *out, qint64 count);
// The same into a new array of `count` bytes.
[[nodiscard]] bool readExactlyAt(QIODevice &device, qint64 offset, qint64 count, QByteArray &out);

// Writes all `count` bytes; false when the device takes no more. A disk
// that fills midway takes part of a write and leaves Qt without a reason
// (its "Unknown error"): a failed write is tried once more, which either
// goes on or fails with the system's reason.
[[nodiscard]] bool writeAll(QIODevice &device, const char *data, qint64 count);

// "Writing <what> failed: <the device's reason>".
Result<> writeFailure(const QIODevice &device, const QString &what);

// writeAll, and on failure writeFailure.
[[nodiscard]] Result<> writeBytes(QIODevice &device, QByteArrayView bytes, const QString &what);

// Qt's buffer to the system, tried twice for the reason writeAll is: the
// failure gives the system's reason.
[[nodiscard]] Result<> flushToSystem(QFile &file);

} // namespace ojn
