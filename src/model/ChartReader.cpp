#include "model/ChartReader.h"

#include "model/ChartLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <limits>
#include <new>

namespace ojn {
namespace {

ChartReadResult failed(const QString &message)
{
    ChartReadResult result;
    result.status = ChartReadStatus::Failed;
    result.error = message;
    return result;
}

// Reads exactly `count` bytes at `offset`; false on a short read.
bool readAt(QIODevice &device, qint64 offset, qint64 count, QByteArray &out)
{
    out = QByteArray(count, Qt::Uninitialized);
    if (count == 0)
        return true;
    if (!device.seek(offset))
        return false;
    qint64 done = 0;
    while (done < count) {
        const qint64 got = device.read(out.data() + done, count - done);
        if (got <= 0)
            return false;
        done += got;
    }
    return true;
}

template <typename T>
T fieldAt(const QByteArray &header, qint64 offset)
{
    return qFromLittleEndian<T>(header.constData() + offset);
}

// A text slot's bytes up to the first zero, at most 32 of them.
QByteArray textAt(const QByteArray &header, qint64 offset)
{
    const QByteArrayView slot(header.constData() + offset, layout::TextLength);
    const qsizetype end = slot.indexOf('\0');
    return (end < 0 ? slot : slot.first(end)).toByteArray();
}

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

ChartReadResult readChart(QIODevice &device)
{
    const qint64 fileSize = device.size();

    QByteArray marker;
    if (!readAt(device, 0, qMin<qint64>(fileSize, layout::EncryptionMarkerLength), marker))
        return failed(readError(device, QStringLiteral("its first bytes")));
    if (isEncrypted(marker)) {
        ChartReadResult result;
        result.status = ChartReadStatus::Encrypted;
        return result;
    }

    if (fileSize < layout::HeaderSize) {
        return failed(QStringLiteral("The file is too short to be an OJN chart: %1 bytes, a chart header needs %2.")
                          .arg(fileSize)
                          .arg(layout::HeaderSize));
    }

    QByteArray header;
    if (!readAt(device, 0, layout::HeaderSize, header))
        return failed(readError(device, QStringLiteral("the header")));

    ChartReadResult result;
    ChartRecord &record = result.record;
    record.SongID = fieldAt<qint32>(header, layout::SongID);
    record.Title = textAt(header, layout::Title);
    record.Artist = textAt(header, layout::Artist);
    record.Pattern = textAt(header, layout::Pattern);
    record.OJMFile = textAt(header, layout::OJMFile);
    record.Genre = fieldAt<qint16>(header, layout::Genre);
    record.BPM = fieldAt<float>(header, layout::BPM);
    record.LevelEx = fieldAt<qint16>(header, layout::LevelEx);
    record.LevelNx = fieldAt<qint16>(header, layout::LevelNx);
    record.LevelHx = fieldAt<qint16>(header, layout::LevelHx);
    record.NoteCountEx = fieldAt<qint32>(header, layout::NoteCountEx);
    record.NoteCountNx = fieldAt<qint32>(header, layout::NoteCountNx);
    record.NoteCountHx = fieldAt<qint32>(header, layout::NoteCountHx);

    const qint64 coverOffset = fieldAt<qint32>(header, layout::FullImageOffset);
    const qint64 coverSize = fieldAt<qint32>(header, layout::FullImageSize);
    const qint64 thumbnailSize = fieldAt<qint32>(header, layout::SmallFrameSize);

    if (coverOffset < 0)
        return failed(QStringLiteral("The chart is damaged: the cover image offset is negative (%1).").arg(coverOffset));
    if (coverSize < 0)
        return failed(QStringLiteral("The chart is damaged: the cover image size is negative (%1).").arg(coverSize));
    if (thumbnailSize < 0)
        return failed(QStringLiteral("The chart is damaged: the thumbnail size is negative (%1).").arg(thumbnailSize));
    if (coverOffset < layout::HeaderSize) {
        return failed(QStringLiteral("The chart is damaged: the cover image would start at byte %1, inside the %2-byte header.")
                          .arg(coverOffset)
                          .arg(layout::HeaderSize));
    }
    const qint64 thumbnailOffset = coverOffset + coverSize;
    if (thumbnailOffset > std::numeric_limits<qint32>::max()) {
        return failed(QStringLiteral("The chart is damaged: the cover image offset %1 plus its size %2 is beyond the 32-bit range.")
                          .arg(coverOffset)
                          .arg(coverSize));
    }
    if (thumbnailOffset > fileSize) {
        return failed(QStringLiteral("The chart is damaged: the cover image (%1 bytes at byte %2) reaches past the end of the file (%3 bytes).")
                          .arg(coverSize)
                          .arg(coverOffset)
                          .arg(fileSize));
    }
    if (thumbnailOffset + thumbnailSize > fileSize) {
        return failed(QStringLiteral("The chart is damaged: the thumbnail (%1 bytes at byte %2) reaches past the end of the file (%3 bytes).")
                          .arg(thumbnailSize)
                          .arg(thumbnailOffset)
                          .arg(fileSize));
    }

    // Each region is read once, in place; together they are the whole file
    // up to the end of the thumbnail, with no second copy.
    if (!readAt(device, coverOffset, coverSize, record.FullImageData))
        return failed(readError(device, QStringLiteral("the cover image")));
    if (!readAt(device, thumbnailOffset, thumbnailSize, record.SmallFrameData))
        return failed(readError(device, QStringLiteral("the thumbnail")));
    if (!readAt(device, 0, coverOffset, record.ChartBodyData))
        return failed(readError(device, QStringLiteral("the note data")));

    result.status = ChartReadStatus::Read;
    return result;
}

ChartReadResult readChartFile(const QString &path)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        return failed(QStringLiteral("File not found: %1").arg(shownPath));
    if (info.isDir())
        return failed(QStringLiteral("%1 is a folder, not a chart file.").arg(shownPath));
    // A pipe or a device is no chart, and opening a pipe would wait forever.
    if (!info.isFile())
        return failed(QStringLiteral("%1 is not a regular file, so it cannot be a chart file.").arg(shownPath));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("Could not open %1: %2").arg(shownPath, file.errorString()));

    try {
        ChartReadResult result = readChart(file);
        result.record.ChartPath = path;
        return result;
    } catch (const std::bad_alloc &) {
        return failed(QStringLiteral("There is not enough memory to open %1 (%2 bytes).").arg(shownPath).arg(info.size()));
    }
}

} // namespace ojn
