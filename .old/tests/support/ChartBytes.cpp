#include "support/ChartBytes.h"

#include <QBuffer>

#include <cstring>

namespace ojn::test {
namespace {

// A write at an absolute offset, growing the file as a real one grows.
void writeAt(QByteArray &file, qint64 offset, QByteArrayView bytes)
{
    if (file.size() < offset + bytes.size())
        file.resize(offset + bytes.size(), '\0');
    if (!bytes.isEmpty())
        std::memcpy(file.data() + offset, bytes.data(), size_t(bytes.size()));
}

template <typename T>
void writeNumberAt(QByteArray &file, qint64 offset, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian<T>(value, bytes);
    writeAt(file, offset, QByteArrayView(bytes, sizeof(T)));
}

} // namespace

QByteArrayView textAt(QByteArrayView chart, qint64 offset)
{
    const QByteArrayView slot = chart.sliced(offset, 32);
    const qsizetype end = slot.indexOf('\0');
    return end < 0 ? slot : slot.first(end);
}

Result<ChartRecord> readChartBytes(QByteArrayView bytes)
{
    QByteArray copy = bytes.toByteArray();
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readChart(buffer);
}

QByteArray expectedUneditedSave(QByteArrayView chart)
{
    const qint64 coverOffset = numberAt<qint32>(chart, 296);
    const qint64 coverSize = numberAt<qint32>(chart, 268);
    const qint64 thumbnailSize = numberAt<qint32>(chart, 100);

    // Phase 1: the body, then each field at its offset.
    QByteArray file = chart.first(coverOffset).toByteArray();
    writeNumberAt<qint32>(file, 0, numberAt<qint32>(chart, 0));
    for (qint64 slot : {108, 172, 204, 236}) {
        const QByteArray text = textAt(chart, slot).toByteArray();
        writeAt(file, slot, QByteArray(33, '\0'));
        writeAt(file, slot, text);
    }
    writeNumberAt<qint16>(file, 12, numberAt<qint16>(chart, 12));
    writeAt(file, 16, chart.sliced(16, 4)); // the tempo's bits as they were
    for (qint64 level : {20, 22, 24})
        writeNumberAt<qint16>(file, level, numberAt<qint16>(chart, level));

    // Phase 2: the pictures behind whatever phase 1 left.
    const qint64 o = file.size();
    writeAt(file, o, chart.sliced(coverOffset, coverSize));
    writeNumberAt<qint32>(file, 296, qint32(o));
    writeNumberAt<qint32>(file, 268, qint32(coverSize));
    writeAt(file, o + coverSize, chart.sliced(coverOffset + coverSize, thumbnailSize));
    writeNumberAt<qint32>(file, 100, qint32(thumbnailSize));
    return file;
}

} // namespace ojn::test
