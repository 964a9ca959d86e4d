#include "model/ChartReader.h"

#include "model/ChartBounds.h"
#include "model/ChartHeader.h"
#include "model/ChartLayout.h"
#include "fileio/DeviceIo.h"
#include "fileio/NotRegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <new>

namespace ojn {
namespace {

QString readError(const QIODevice &device, const QString &what)
{
    const QString reason = device.errorString();
    return QStringLiteral("The chart could not be read (%1): %2").arg(what, reason.isEmpty() ? QStringLiteral("unexpected end of file") : reason);
}

} // namespace

QString encryptedChartMessage()
{
    return QStringLiteral("This Encrypted OJN, This Editor Doesn't Support Encrypted OJN.");
}

Result<ChartRecord> readChart(QIODevice &device)
{
    const qint64 fileSize = device.size();

    QByteArray marker;
    if (!readExactlyAt(device, 0, qMin<qint64>(fileSize, layout::EncryptionMarkerLength), marker))
        return Failure{readError(device, QStringLiteral("its first bytes"))};
    if (isEncrypted(marker))
        return Failure{encryptedChartMessage()};

    QByteArray header;
    if (fileSize >= layout::HeaderSize && !readExactlyAt(device, 0, layout::HeaderSize, header))
        return Failure{readError(device, QStringLiteral("the header"))};
    if (const Result<> bounds = checkChartBounds(header, fileSize); !bounds.ok())
        return Failure{bounds.error()};

    // The bounds check passed, so the whole header is there.
    const ChartHeader h = *parseChartHeader(header);
    ChartRecord record = recordFieldsOf(h);
    // The editor reads and writes a title's first 32 bytes only.
    record.Title.truncate(layout::TextLength);

    const qint64 coverOffset = h.coverOffset;
    const qint64 coverSize = h.coverSize;
    const qint64 thumbnailSize = h.thumbnailSize;
    const qint64 thumbnailOffset = coverOffset + coverSize;

    // Each region is read once, in place; together they are the whole file
    // up to the end of the thumbnail, with no second copy.
    if (!readExactlyAt(device, coverOffset, coverSize, record.FullImageData))
        return Failure{readError(device, QStringLiteral("the cover image"))};
    if (!readExactlyAt(device, thumbnailOffset, thumbnailSize, record.SmallFrameData))
        return Failure{readError(device, QStringLiteral("the thumbnail"))};
    if (!readExactlyAt(device, 0, coverOffset, record.ChartBodyData))
        return Failure{readError(device, QStringLiteral("the note data"))};

    return record;
}

Result<ChartRecord> readChartFile(const QString &path)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        return Failure{QStringLiteral("File not found: %1").arg(shownPath)};
    if (info.isDir())
        return Failure{QStringLiteral("%1 is a folder, not a chart file.").arg(shownPath)};
    if (Result<> regular = checkRegularFile(path, QStringLiteral("a chart file")); !regular.ok())
        return Failure{regular.error()};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("Could not open %1: %2").arg(shownPath, file.errorString())};

    try {
        Result<ChartRecord> result = readChart(file);
        if (result.ok())
            result->ChartPath = path;
        return result;
    } catch (const std::bad_alloc &) {
        return Failure{QStringLiteral("There is not enough memory to open %1 (%2 bytes).").arg(shownPath).arg(info.size())};
    }
}

} // namespace ojn
