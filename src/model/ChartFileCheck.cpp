#include "model/ChartFileCheck.h"

#include "model/ChartEncryption.h"
#include "model/ChartLayout.h"
#include "model/DeviceIo.h"
#include "model/NoteSections.h"

#include <QFile>

#include <new>

namespace ojn {
namespace {

ChartScan unreadableScan(const QString &path, qint64 size, const QString &text)
{
    ChartScan scan;
    scan.path = path;
    scan.fileSize = size;
    scan.findings.append({FindingType::Unreadable, text});
    return scan;
}

ChartScan changedWhileRead(const QString &path, const QFile &file, qint64 size)
{
    const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : QString();
    return unreadableScan(path, size,
                          reason.isEmpty() ? QStringLiteral("The file changed while it was being read; check it again.")
                                           : QStringLiteral("The file could not be read: %1").arg(reason));
}

// Opens the file (unbuffered: every read goes straight into our bytes) and
// runs the header-level check on it, leaving the file open for more.
ChartScan scanOpenFile(QFile &file)
{
    const QString path = file.fileName();
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return unreadableScan(path, -1, QStringLiteral("The file could not be opened: %1").arg(file.errorString()));
    const qint64 size = file.size();
    char first[layout::HeaderSize];
    const qint64 firstCount = qMin<qint64>(size, layout::HeaderSize);
    if (!readExactlyAt(file, 0, first, firstCount))
        return changedWhileRead(path, file, size);

    char last[layout::HeaderSize];
    qint64 lastCount = 0;
    if (isEncrypted(QByteArrayView(first, firstCount))) {
        lastCount = qBound<qint64>(0, size - EncryptionPrefixLength, layout::HeaderSize);
        if (!readExactlyAt(file, size - lastCount, last, lastCount))
            return changedWhileRead(path, file, size);
    }
    ChartScan scan = scanChartHeader(QByteArrayView(first, firstCount), QByteArrayView(last, lastCount), size);
    scan.path = path;
    return scan;
}

} // namespace

ChartScan scanChartFile(const QString &path)
{
    QFile file(path);
    return scanOpenFile(file);
}

ChartScan checkChartFile(const QString &path, QByteArray &buffer)
{
    QFile file(path);
    ChartScan scan = scanOpenFile(file);
    if (!scan.header)
        return scan;
    const qint64 plainSize = scan.encrypted ? scan.fileSize - EncryptionPrefixLength : scan.fileSize;
    const qint64 end = noteDataEnd(*scan.header, plainSize);
    try {
        // The plain chart's start lies at the file's start, or backwards at
        // an encrypted file's end. It is read again from byte 0, header
        // too, so a header changed since the first read is seen.
        buffer.resize(end);
        if (!readExactlyAt(file, scan.encrypted ? scan.fileSize - end : 0, buffer.data(), end))
            return changedWhileRead(path, file, scan.fileSize);
        QByteArray decrypted;
        QByteArrayView plain = buffer;
        if (scan.encrypted) {
            char key[EncryptionPrefixLength];
            if (!readExactlyAt(file, 0, key, EncryptionPrefixLength))
                return changedWhileRead(path, file, scan.fileSize);
            decrypted = decryptChartStart(QByteArrayView(key, EncryptionPrefixLength), buffer).value_or(QByteArray());
            plain = decrypted;
        }
        if (plain.first(qMin<qsizetype>(plain.size(), layout::HeaderSize)) != scan.header->bytes)
            return changedWhileRead(path, file, scan.fileSize);
        scan.findings += checkNoteSections(*scan.header, plain);
        scan.noteSectionsChecked = true;
    } catch (const std::bad_alloc &) {
        return unreadableScan(path, scan.fileSize,
                              QStringLiteral("There is not enough memory to check its %1 bytes of note data.").arg(end));
    }
    return scan;
}

ChartScan checkChartFile(const QString &path)
{
    QByteArray buffer;
    return checkChartFile(path, buffer);
}

} // namespace ojn
