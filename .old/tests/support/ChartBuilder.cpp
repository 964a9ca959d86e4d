#include "support/ChartBuilder.h"

#include "support/TestPictures.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace ojn::test {

ChartBuilder::ChartBuilder()
    : m_header(300, '\0')
    , m_notes(QByteArray("NOTE DATA \x01\x02\x03\x00\xff", 15).repeated(8))
    , m_cover(tinyJpeg())
    , m_thumbnail(tinyBmp())
{
    songId(1234);
    genre(3);
    bpm(120.0f);
    levels(1, 5, 9);
    noteCounts(100, 200, 300);
    titleBytes("Test Title");
    artistBytes("Test Artist");
    patternBytes("Tester");
    ojmBytes("o2ma1234.ojm");
    // Kept bytes that no field owns, so a test can see them survive.
    for (qint64 i : {4, 8, 14, 26, 60, 99, 104, 141, 171, 272, 295})
        m_header[i] = char(0xA0 + (i % 16));
}

ChartBuilder &ChartBuilder::bpm(float v)
{
    qToLittleEndian<float>(v, m_header.data() + 16);
    return *this;
}

ChartBuilder &ChartBuilder::levels(qint16 ex, qint16 nx, qint16 hx)
{
    return putInt16(20, ex).putInt16(22, nx).putInt16(24, hx);
}

ChartBuilder &ChartBuilder::noteCounts(qint32 ex, qint32 nx, qint32 hx)
{
    return putInt32(40, ex).putInt32(44, nx).putInt32(48, hx);
}

ChartBuilder &ChartBuilder::noteData(const QByteArray &bytes)
{
    m_notes = bytes;
    return *this;
}

ChartBuilder &ChartBuilder::noteSections(int ex, int nx, int hx)
{
    m_notes.clear();
    const int counts[3] = {ex, nx, hx};
    for (int d = 0; d < 3; ++d) {
        putInt32(284 + 4 * d, qint32(300 + m_notes.size())).putInt32(64 + 4 * d, counts[d]);
        for (int k = 0; k < counts[d]; ++k) {
            char package[8];
            qToLittleEndian<qint32>(k / 4, package);
            qToLittleEndian<qint16>(qint16(2 + d), package + 4);
            qToLittleEndian<qint16>(qint16(k % 3), package + 6);
            m_notes += QByteArray(package, 8) + QByteArray(4 * (k % 3), char(0x40 + k));
        }
    }
    return putBytes(4, QByteArray("ojn\0", 4));
}

ChartBuilder &ChartBuilder::cover(const QByteArray &bytes)
{
    m_cover = bytes;
    return *this;
}

ChartBuilder &ChartBuilder::thumbnail(const QByteArray &bytes)
{
    m_thumbnail = bytes;
    return *this;
}

ChartBuilder &ChartBuilder::trailing(const QByteArray &bytes)
{
    m_trailing = bytes;
    return *this;
}

ChartBuilder &ChartBuilder::putBytes(qint64 offset, const QByteArray &bytes)
{
    std::memcpy(m_header.data() + offset, bytes.constData(), size_t(bytes.size()));
    return *this;
}

ChartBuilder &ChartBuilder::putInt16(qint64 offset, qint16 v)
{
    qToLittleEndian<qint16>(v, m_header.data() + offset);
    return *this;
}

ChartBuilder &ChartBuilder::putInt32(qint64 offset, qint32 v)
{
    qToLittleEndian<qint32>(v, m_header.data() + offset);
    return *this;
}

ChartBuilder &ChartBuilder::rawCoverOffset(qint32 v)
{
    m_rawOffset = true;
    return putInt32(296, v);
}

ChartBuilder &ChartBuilder::rawCoverSize(qint32 v)
{
    m_rawCoverSize = true;
    return putInt32(268, v);
}

ChartBuilder &ChartBuilder::rawThumbnailSize(qint32 v)
{
    m_rawThumbnailSize = true;
    return putInt32(100, v);
}

QByteArray ChartBuilder::build() const
{
    QByteArray header = m_header;
    if (!m_rawOffset)
        qToLittleEndian<qint32>(qint32(300 + m_notes.size()), header.data() + 296);
    if (!m_rawCoverSize)
        qToLittleEndian<qint32>(qint32(m_cover.size()), header.data() + 268);
    if (!m_rawThumbnailSize)
        qToLittleEndian<qint32>(qint32(m_thumbnail.size()), header.data() + 100);
    return header + m_notes + m_cover + m_thumbnail + m_trailing;
}

QString ChartBuilder::writeTo(const QString &path) const
{
    writeFile(path, build());
    return path;
}

QByteArray savedSlot(const QByteArray &text, int width)
{
    QByteArray bytes(width, '\0');
    bytes.replace(0, text.size(), text);
    return bytes;
}

qint32 int32At(const QByteArray &chart, qint64 offset)
{
    return qFromLittleEndian<qint32>(chart.constData() + offset);
}

qint16 int16At(const QByteArray &chart, qint64 offset)
{
    return qFromLittleEndian<qint16>(chart.constData() + offset);
}

float floatAt(const QByteArray &chart, qint64 offset)
{
    return qFromLittleEndian<float>(chart.constData() + offset);
}

ChartRecord recordOf(const QByteArray &bytes)
{
    Result<ChartRecord> result = readChartBytes(bytes);
    if (!result.ok())
        qFatal("fixture did not read: %s", qPrintable(result.error()));
    return result.value();
}

QByteArray encryptChart(const QByteArray &plain, quint8 blockSize, quint8 mainKey, quint8 middleKey, quint8 firstKey)
{
    QByteArray block(blockSize, char(mainKey));
    block[0] = char(firstKey);
    block[blockSize / 2] = char(middleKey);
    QByteArray body = plain;
    for (qsizetype i = 0; i < body.size(); ++i)
        body[i] = char(body[i] ^ block[i % blockSize]);
    std::reverse(body.begin(), body.end());
    return QByteArray("new") + char(blockSize) + char(mainKey) + char(middleKey) + char(firstKey) + body;
}

QByteArray songListBytes(qint32 count, const QList<QByteArray> &charts, const QByteArray &extraSections)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(count, bytes.data());
    for (const QByteArray &chart : charts)
        bytes += chart.left(300);
    return bytes + extraSections;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

} // namespace ojn::test
