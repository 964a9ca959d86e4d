#pragma once

#include "support/ChartBytes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <QtGlobal>

namespace ojn::test {

// Builds the bytes of an OJN chart in code, so a test shows the bytes that
// matter. Defaults: a 300-byte header, some note bytes, a small cover and
// thumbnail, offsets and sizes that agree with them.
class ChartBuilder {
public:
    ChartBuilder();

    ChartBuilder &songId(qint32 v) { return putInt32(0, v); }
    ChartBuilder &genre(qint16 v) { return putInt16(12, v); }
    ChartBuilder &bpm(float v);
    ChartBuilder &levels(qint16 ex, qint16 nx, qint16 hx);
    ChartBuilder &noteCounts(qint32 ex, qint32 nx, qint32 hx);
    // Writes raw bytes into a text slot (no terminator added; the slot's
    // other bytes stay as they are).
    ChartBuilder &titleBytes(const QByteArray &bytes) { return putBytes(108, bytes); }
    ChartBuilder &artistBytes(const QByteArray &bytes) { return putBytes(172, bytes); }
    ChartBuilder &patternBytes(const QByteArray &bytes) { return putBytes(204, bytes); }
    ChartBuilder &ojmBytes(const QByteArray &bytes) { return putBytes(236, bytes); }
    ChartBuilder &noteData(const QByteArray &bytes);
    // Note sections of that many packages each (Ex, Nx, Hx), with the
    // signature, section offsets and package counts set to match, so the
    // chart passes every check. Package k holds k % 3 events.
    ChartBuilder &noteSections(int ex, int nx, int hx);
    ChartBuilder &cover(const QByteArray &bytes);
    ChartBuilder &thumbnail(const QByteArray &bytes);
    // Bytes after the thumbnail, which a save drops.
    ChartBuilder &trailing(const QByteArray &bytes);

    ChartBuilder &putBytes(qint64 offset, const QByteArray &bytes);
    ChartBuilder &putInt16(qint64 offset, qint16 v);
    ChartBuilder &putInt32(qint64 offset, qint32 v);
    // Keeps the given header value instead of computing it on build().
    ChartBuilder &rawCoverOffset(qint32 v);
    ChartBuilder &rawCoverSize(qint32 v);
    ChartBuilder &rawThumbnailSize(qint32 v);

    QByteArray build() const;
    // Writes build() to a file; returns the path.
    QString writeTo(const QString &path) const;

    const QByteArray &header() const { return m_header; }
    const QByteArray &noteBytes() const { return m_notes; }
    const QByteArray &coverBytes() const { return m_cover; }
    const QByteArray &thumbnailBytes() const { return m_thumbnail; }

private:
    QByteArray m_header;
    QByteArray m_notes;
    QByteArray m_cover;
    QByteArray m_thumbnail;
    QByteArray m_trailing;
    bool m_rawOffset = false, m_rawCoverSize = false, m_rawThumbnailSize = false;
};

// A number's bytes as a chart holds it: little-endian.
template <typename T>
QByteArray littleEndian(T value)
{
    QByteArray bytes(sizeof(T), '\0');
    qToLittleEndian<T>(value, bytes.data());
    return bytes;
}

// A text slot as a save leaves it: `width` zero bytes, the text over them.
// The title's 33rd zero stays in its 64-byte slot; the other texts' lands in
// the next field, which is written after it, so they show 32.
QByteArray savedSlot(const QByteArray &text, int width = 32);

// The bytes at `offset` of a chart, as integers.
qint32 int32At(const QByteArray &chart, qint64 offset);
qint16 int16At(const QByteArray &chart, qint64 offset);
float floatAt(const QByteArray &chart, qint64 offset);

// The record of a fixture that must read; a fixture that does not is a
// broken test, which stops at once.
ChartRecord recordOf(const QByteArray &bytes);

// The chart as the published scheme encrypts it: "new", the block size,
// the main, middle and first keys, then the chart XORed with the key block
// and stored backwards.
QByteArray encryptChart(const QByteArray &plain, quint8 blockSize, quint8 mainKey, quint8 middleKey, quint8 firstKey);

// A song list's bytes: the count as given (it may disagree with the
// entries), the first 300 bytes of each chart, then the extra sections.
QByteArray songListBytes(qint32 count, const QList<QByteArray> &charts, const QByteArray &extraSections = {});

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);
// Every entry of a folder by name, hidden ones too: a left-over temporary
// file shows up here.
QStringList entriesOf(const QString &folder);

} // namespace ojn::test
