#include "ChartRoundTrip.h"
#include "Promise.h"

#include "model/ChartLayout.h"
#include "model/ChartReader.h"
#include "model/ChartWriter.h"

#include <QBuffer>
#include <QtEndian>

#include <cstring>
#include <limits>

namespace ojn::fuzz {
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

template <typename T>
T numberAt(QByteArrayView chart, qint64 offset)
{
    return qFromLittleEndian<T>(chart.data() + offset);
}

QByteArrayView textAt(QByteArrayView chart, qint64 offset)
{
    const QByteArrayView slot = chart.sliced(offset, 32);
    const qsizetype end = slot.indexOf('\0');
    return end < 0 ? slot : slot.first(end);
}

bool sameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

ChartReadResult read(QByteArrayView bytes)
{
    QByteArray copy = bytes.toByteArray();
    QBuffer device(&copy);
    device.open(QIODevice::ReadOnly);
    return readChart(device);
}

} // namespace

QByteArray bytesOfUneditedSave(QByteArrayView chart)
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

void checkChartInput(QByteArrayView input)
{
    const ChartReadResult result = read(input);

    const bool encrypted = input.size() >= 3 && std::memcmp(input.data(), "new", 3) == 0;
    require((result.status == ChartReadStatus::Encrypted) == encrypted, "exactly the charts starting with \"new\" are encrypted");
    if (encrypted)
        return;

    // The charts the reader promises to accept: a whole header, and a cover
    // and thumbnail with sizes and an offset that lie inside the file.
    bool wellFormed = input.size() >= 300;
    if (wellFormed) {
        const qint64 o = numberAt<qint32>(input, 296), s = numberAt<qint32>(input, 268), t = numberAt<qint32>(input, 100);
        wellFormed = o >= 300 && s >= 0 && t >= 0 && o + s <= std::numeric_limits<qint32>::max() && o + s + t <= input.size();
    }
    if (result.status == ChartReadStatus::Failed) {
        require(!result.error.isEmpty(), "a refusal says why");
        require(!wellFormed, "a well-formed chart is read");
        return;
    }
    require(wellFormed, "only well-formed charts are read");

    const ChartRecord &r = result.record;
    const qint64 o = numberAt<qint32>(input, 296), s = numberAt<qint32>(input, 268), t = numberAt<qint32>(input, 100);
    require(r.SongID == numberAt<qint32>(input, 0), "SongID");
    require(r.Genre == numberAt<qint16>(input, 12), "Genre");
    require(sameBits(r.BPM, numberAt<float>(input, 16)), "BPM");
    require(r.LevelEx == numberAt<qint16>(input, 20) && r.LevelNx == numberAt<qint16>(input, 22)
                && r.LevelHx == numberAt<qint16>(input, 24), "levels");
    require(r.NoteCountEx == numberAt<qint32>(input, 40) && r.NoteCountNx == numberAt<qint32>(input, 44)
                && r.NoteCountHx == numberAt<qint32>(input, 48), "note counts");
    require(r.Title == textAt(input, 108) && r.Artist == textAt(input, 172) && r.Pattern == textAt(input, 204)
                && r.OJMFile == textAt(input, 236), "texts up to their first zero");
    require(r.ChartBodyData == input.first(o), "ChartBodyData is everything ahead of the cover");
    require(r.FullImageData == input.sliced(o, s), "FullImageData");
    require(r.SmallFrameData == input.sliced(o + s, t), "SmallFrameData");

    QByteArray written;
    {
        QBuffer device(&written);
        device.open(QIODevice::WriteOnly);
        const Outcome outcome = writeChart(r, device);
        require(outcome.ok(), "a chart that was read can be written back");
    }
    require(written == bytesOfUneditedSave(input), "an unedited chart is written back as the layout's steps promise");

    const ChartReadResult again = read(written);
    require(again.status == ChartReadStatus::Read, "a written chart reads back");
    const ChartRecord &b = again.record;
    require(b.SongID == r.SongID && b.Genre == r.Genre && sameBits(b.BPM, r.BPM) && b.Title == r.Title && b.Artist == r.Artist
                && b.Pattern == r.Pattern && b.OJMFile == r.OJMFile && b.FullImageData == r.FullImageData
                && b.SmallFrameData == r.SmallFrameData,
            "a written chart reads back as the same record");
}

} // namespace ojn::fuzz
