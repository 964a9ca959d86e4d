#include "ChartRoundTrip.h"
#include "Promise.h"

#include "model/ChartLayout.h"
#include "model/ChartReader.h"
#include "model/ChartWriter.h"
#include "support/ChartBytes.h"

#include <QBuffer>

#include <cstring>
#include <limits>

namespace ojn::fuzz {
namespace {

using test::numberAt;
using test::readChartBytes;
using test::textAt;

bool sameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

void checkChartInput(QByteArrayView input)
{
    const Result<ChartRecord> result = readChartBytes(input);

    const bool encrypted = input.size() >= 3 && std::memcmp(input.data(), "new", 3) == 0;
    require((result.error() == encryptedChartMessage()) == encrypted, "exactly the charts starting with \"new\" are encrypted");
    if (encrypted)
        return;

    // The charts the reader promises to accept: a whole header, and a cover
    // and thumbnail with sizes and an offset that lie inside the file.
    bool wellFormed = input.size() >= 300;
    if (wellFormed) {
        const qint64 o = numberAt<qint32>(input, 296), s = numberAt<qint32>(input, 268), t = numberAt<qint32>(input, 100);
        wellFormed = o >= 300 && s >= 0 && t >= 0 && o + s <= std::numeric_limits<qint32>::max() && o + s + t <= input.size();
    }
    if (!result.ok()) {
        require(!result.error().isEmpty(), "a refusal says why");
        require(!wellFormed, "a well-formed chart is read");
        return;
    }
    require(wellFormed, "only well-formed charts are read");

    const ChartRecord &r = result.value();
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
        const Result<> outcome = writeChart(r, device);
        require(outcome.ok(), "a chart that was read can be written back");
    }
    require(written == test::expectedUneditedSave(input), "an unedited chart is written back as the layout's steps promise");

    const Result<ChartRecord> again = readChartBytes(written);
    require(again.ok(), "a written chart reads back");
    const ChartRecord &b = again.value();
    require(b.SongID == r.SongID && b.Genre == r.Genre && sameBits(b.BPM, r.BPM) && b.Title == r.Title && b.Artist == r.Artist
                && b.Pattern == r.Pattern && b.OJMFile == r.OJMFile && b.FullImageData == r.FullImageData
                && b.SmallFrameData == r.SmallFrameData,
            "a written chart reads back as the same record");
}

} // namespace ojn::fuzz
