#include "model/ChartFileCheck.h"

#include "model/ChartEncryption.h"
#include "model/ChartLayout.h"
#include "fileio/FileReader.h"
#include "fileio/NotRegularFile.h"
#include "model/NoteSections.h"

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

QString changedText()
{
    return QStringLiteral("The file changed while it was being read; check it again.");
}

// Exactly `count` bytes at `offset`, or the finding that says why not: a
// file that ends sooner than it did when it was opened has changed since.
Result<> readWhole(FileReader &file, qint64 offset, char *out, qint64 count)
{
    const Result<qint64> read = file.readAt(offset, out, count);
    if (!read.ok())
        return Failure{QStringLiteral("The file could not be read: %1").arg(read.error())};
    if (read.value() != count)
        return Failure{changedText()};
    return Result<>::success();
}

ChartScan notOpened(const QString &path, const Result<> &opened)
{
    if (const QString why = notRegularFileReason(path); !why.isEmpty())
        return unreadableScan(path, -1, QStringLiteral("The chart cannot be read: %1.").arg(why));
    return unreadableScan(path, -1, QStringLiteral("The file could not be opened: %1").arg(opened.error()));
}

// The header-level check of an open file whose first bytes (up to 300)
// are read: for an encrypted chart it reads the last 300 too.
ChartScan scanOpenFile(const QString &path, FileReader &file, QByteArrayView first)
{
    const qint64 size = file.size();
    char last[layout::HeaderSize];
    qint64 lastCount = 0;
    if (isEncrypted(first)) {
        lastCount = qBound<qint64>(0, size - EncryptionPrefixLength, layout::HeaderSize);
        if (const Result<> read = readWhole(file, size - lastCount, last, lastCount); !read.ok())
            return unreadableScan(path, size, read.error());
    }
    ChartScan scan = scanChartHeader(first, QByteArrayView(last, lastCount), size);
    scan.path = path;
    return scan;
}

// An encrypted chart, open, with its header read: the plain chart's start,
// read backwards from the file's end.
ChartScan checkEncryptedChartFile(const QString &path, FileReader &file, QByteArrayView first, QByteArray &buffer)
{
    ChartScan scan = scanOpenFile(path, file, first);
    if (!scan.header)
        return scan;
    const qint64 end = noteDataEnd(*scan.header, scan.fileSize - EncryptionPrefixLength);
    // Read again from the plain chart's byte 0, header too, so that a
    // header changed since the first read is seen.
    QByteArray cipher(end, Qt::Uninitialized);
    char key[EncryptionPrefixLength];
    if (const Result<> read = readWhole(file, scan.fileSize - end, cipher.data(), end); !read.ok())
        return unreadableScan(path, scan.fileSize, read.error());
    if (const Result<> read = readWhole(file, 0, key, EncryptionPrefixLength); !read.ok())
        return unreadableScan(path, scan.fileSize, read.error());
    buffer = decryptChartBytes(QByteArrayView(key, EncryptionPrefixLength), cipher).value_or(QByteArray());
    if (QByteArrayView(buffer).first(qMin<qsizetype>(buffer.size(), layout::HeaderSize)) != scan.header->bytes)
        return unreadableScan(path, scan.fileSize, changedText());
    scan.findings += checkNoteSections(*scan.header, buffer);
    scan.noteSectionsChecked = true;
    return scan;
}

ChartScan checkOpenChartFile(const QString &path, FileReader &file, QByteArray &buffer)
{
    const qint64 size = file.size();
    // A plain chart is read from byte 0 to its cover in one go: the header
    // and the note data come from one read, so they cannot disagree. The
    // header says where the cover starts, so the first read takes as much
    // as the last chart needed (`buffer`'s size), and a second read goes on
    // from there when this chart needs more.
    const qint64 first = qMin(size, qMax<qint64>(buffer.size(), layout::HeaderSize));
    buffer.resize(first);
    if (const Result<> read = readWhole(file, 0, buffer.data(), first); !read.ok())
        return unreadableScan(path, size, read.error());
    const QByteArray start = buffer.first(qMin<qint64>(first, layout::HeaderSize));
    if (isEncrypted(start))
        return checkEncryptedChartFile(path, file, start, buffer);
    ChartScan scan = scanOpenFile(path, file, start);
    if (!scan.header)
        return scan;
    const qint64 end = noteDataEnd(*scan.header, size);
    if (end > first) {
        buffer.resize(end);
        if (const Result<> read = readWhole(file, first, buffer.data() + first, end - first); !read.ok())
            return unreadableScan(path, size, read.error());
    }
    buffer.resize(end); // the next chart's first read
    scan.findings += checkNoteSections(*scan.header, buffer);
    scan.noteSectionsChecked = true;
    return scan;
}

} // namespace

ChartScan scanChartFile(const QString &path)
{
    FileReader file(path);
    if (const Result<> opened = file.open(); !opened.ok())
        return notOpened(path, opened);
    char first[layout::HeaderSize];
    const qint64 firstCount = qMin<qint64>(file.size(), layout::HeaderSize);
    if (const Result<> read = readWhole(file, 0, first, firstCount); !read.ok())
        return unreadableScan(path, file.size(), read.error());
    ChartScan scan = scanOpenFile(path, file, QByteArrayView(first, firstCount));
    keepHeaderOfChartsOnly(scan);
    return scan;
}

ChartScan checkChartFile(const QString &path, QByteArray &buffer)
{
    FileReader file(path);
    if (const Result<> opened = file.open(); !opened.ok())
        return notOpened(path, opened);
    try {
        ChartScan scan = checkOpenChartFile(path, file, buffer);
        keepHeaderOfChartsOnly(scan);
        return scan;
    } catch (const std::bad_alloc &) {
        buffer = QByteArray();
        return unreadableScan(path, file.size(), QStringLiteral("There is not enough memory to check its note data."));
    }
}

ChartScan checkChartFile(const QString &path)
{
    QByteArray buffer;
    return checkChartFile(path, buffer);
}

} // namespace ojn
