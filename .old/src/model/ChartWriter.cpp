#include "model/ChartWriter.h"

#include "model/ChartLayout.h"
#include "model/HeaderFields.h"
#include "fileio/DeviceIo.h"

#include <QIODevice>
#include <QtEndian>

#include <cstring>
#include <limits>

namespace ojn {
namespace {

template <typename T>
void putField(QByteArray &header, qint64 offset, T value)
{
    qToLittleEndian<T>(value, header.data() + offset);
}

} // namespace

Result<> checkWritable(const ChartRecord &record)
{
    constexpr qint64 max32 = std::numeric_limits<qint32>::max();
    const qint64 bodySize = record.ChartBodyData.size();
    if (bodySize < layout::HeaderSize) {
        return Result<>::failure(QStringLiteral("The chart holds only %1 bytes ahead of its cover; a chart header needs %2.")
                                    .arg(bodySize)
                                    .arg(layout::HeaderSize));
    }
    const struct {
        const char *name;
        const QByteArray &text;
    } texts[] = {{"title", record.Title}, {"artist", record.Artist}, {"pattern", record.Pattern}, {"OJM file name", record.OJMFile}};
    for (const auto &t : texts) {
        if (t.text.size() > layout::TextLength) {
            return Result<>::failure(QStringLiteral("The %1 takes %2 bytes; at most %3 fit in the chart.")
                                        .arg(QLatin1String(t.name))
                                        .arg(t.text.size())
                                        .arg(layout::TextLength));
        }
    }
    const qint64 coverSize = record.FullImageData.size();
    const qint64 thumbnailSize = record.SmallFrameData.size();
    if (bodySize + coverSize > max32 || thumbnailSize > max32) {
        return Result<>::failure(QStringLiteral("The chart is too large to save: the cover would end at byte %1, beyond the 32-bit offsets a chart can hold.")
                                    .arg(bodySize + coverSize));
    }
    return Result<>::success();
}

QByteArray patchedHeader(const ChartRecord &record)
{
    QByteArray header = record.ChartBodyData.left(layout::HeaderSize);
    header.resize(layout::HeaderSize, '\0');

    // Each text clears 33 bytes, one more than its slot: the artist's clear
    // zeroes the pattern's first byte, the pattern's the OJM name's, the OJM
    // name's that of the cover's size. So the order matters: the fields in
    // table order, every text before the field its clear runs into, and
    // the picture sizes last.
    writeHeaderFields(record, header);

    // The cover goes right after the body, so its offset is the body's length.
    putField<qint32>(header, layout::CoverOffset, static_cast<qint32>(record.ChartBodyData.size()));
    putField<qint32>(header, layout::CoverSize, static_cast<qint32>(record.FullImageData.size()));
    putField<qint32>(header, layout::ThumbnailSize, static_cast<qint32>(record.SmallFrameData.size()));
    return header;
}

Result<> writeChart(const ChartRecord &record, QIODevice &device)
{
    if (Result<> check = checkWritable(record); !check.ok())
        return check;

    const QByteArray header = patchedHeader(record);
    const QByteArray &body = record.ChartBodyData;
    if (!writeAll(device, header.constData(), header.size()))
        return writeFailure(device, QStringLiteral("the header"));
    if (!writeAll(device, body.constData() + layout::HeaderSize, body.size() - layout::HeaderSize))
        return writeFailure(device, QStringLiteral("the note data"));
    if (!writeAll(device, record.FullImageData.constData(), record.FullImageData.size()))
        return writeFailure(device, QStringLiteral("the cover image"));
    if (!writeAll(device, record.SmallFrameData.constData(), record.SmallFrameData.size()))
        return writeFailure(device, QStringLiteral("the thumbnail"));
    return Result<>::success();
}

} // namespace ojn
