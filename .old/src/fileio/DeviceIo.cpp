#include "fileio/DeviceIo.h"

#include <QFile>
#include <QIODevice>

namespace ojn {

bool readExactlyAt(QIODevice &device, qint64 offset, char *out, qint64 count)
{
    if (count == 0)
        return true;
    if (!device.seek(offset))
        return false;
    qint64 done = 0;
    while (done < count) {
        const qint64 got = device.read(out + done, count - done);
        if (got <= 0)
            return false;
        done += got;
    }
    return true;
}

bool readExactlyAt(QIODevice &device, qint64 offset, qint64 count, QByteArray &out)
{
    out = QByteArray(count, Qt::Uninitialized);
    return readExactlyAt(device, offset, out.data(), count);
}

bool writeAll(QIODevice &device, const char *data, qint64 count)
{
    qint64 done = 0;
    bool failedOnce = false;
    while (done < count) {
        const qint64 wrote = device.write(data + done, count - done);
        if (wrote <= 0) {
            if (failedOnce)
                return false;
            failedOnce = true;
            continue;
        }
        failedOnce = false;
        done += wrote;
    }
    return true;
}

Result<> writeFailure(const QIODevice &device, const QString &what)
{
    const QString reason = device.errorString();
    return Result<>::failure(QStringLiteral("Writing %1 failed: %2").arg(what, reason.isEmpty() ? QStringLiteral("the device took no more bytes") : reason));
}

Result<> writeBytes(QIODevice &device, QByteArrayView bytes, const QString &what)
{
    if (!writeAll(device, bytes.data(), bytes.size()))
        return writeFailure(device, what);
    return Result<>::success();
}

Result<> flushToSystem(QFile &file)
{
    if (file.flush() || file.flush())
        return Result<>::success();
    return Result<>::failure(file.errorString());
}

} // namespace ojn
