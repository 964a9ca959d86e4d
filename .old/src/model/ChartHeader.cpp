#include "model/ChartHeader.h"

#include "model/ChartLayout.h"
#include "model/HeaderFields.h"

#include <QtEndian>

#include <algorithm>

namespace ojn {
namespace {

template <typename T>
T fieldAt(const char *header, qint64 offset)
{
    return qFromLittleEndian<T>(header + offset);
}

PerDifficulty threeAt(const char *header, qint64 offset)
{
    return {fieldAt<qint32>(header, offset), fieldAt<qint32>(header, offset + 4), fieldAt<qint32>(header, offset + 8)};
}

QByteArray textAt(const char *header, qint64 offset, int slotLength)
{
    const QByteArrayView slot(header + offset, slotLength);
    const qsizetype end = slot.indexOf('\0');
    return (end < 0 ? slot : slot.first(end)).toByteArray();
}

} // namespace

bool ChartHeader::hasSignature() const
{
    return bytes.size() >= layout::HeaderSize
        && QByteArrayView(bytes).sliced(layout::Signature, layout::SignatureLength)
               == QByteArrayView(layout::SignatureBytes, layout::SignatureLength);
}

std::optional<ChartHeader> parseChartHeader(QByteArrayView firstBytes)
{
    if (firstBytes.size() < layout::HeaderSize)
        return std::nullopt;
    ChartHeader h;
    h.bytes = firstBytes.first(layout::HeaderSize).toByteArray();
    const char *b = h.bytes.constData();
    const auto at = [](HeaderField field) { return fieldInfo(field).offset; };
    const auto textIn = [&b](HeaderField field) {
        const HeaderFieldInfo &info = fieldInfo(field);
        return textAt(b, info.offset, info.slotLength);
    };
    h.songId = fieldAt<qint32>(b, at(HeaderField::SongId));
    h.encoderVersion = fieldAt<float>(b, layout::EncoderVersion);
    h.genre = fieldAt<qint32>(b, at(HeaderField::Genre)); // the whole int32 the editor's field is the low half of
    h.bpm = fieldAt<float>(b, at(HeaderField::Bpm));
    for (int i = 0; i < int(h.levels.size()); ++i)
        h.levels[size_t(i)] = fieldAt<qint16>(b, layout::Levels + 2 * i);
    h.eventCounts = threeAt(b, layout::EventCounts);
    h.noteCounts = threeAt(b, layout::NoteCounts);
    h.measureCounts = threeAt(b, layout::MeasureCounts);
    h.packageCounts = threeAt(b, layout::PackageCounts);
    h.oldEncoderVersion = fieldAt<qint16>(b, layout::OldEncoderVersion);
    h.oldSongId = fieldAt<qint16>(b, layout::OldSongID);
    h.oldGenre = QByteArray(b + layout::OldGenre, layout::OldGenreLength);
    h.thumbnailSize = fieldAt<qint32>(b, layout::ThumbnailSize);
    h.oldFileVersion = fieldAt<qint32>(b, layout::OldFileVersion);
    h.title = textIn(HeaderField::Title);
    h.artist = textIn(HeaderField::Artist);
    h.pattern = textIn(HeaderField::Pattern);
    h.ojmFile = textIn(HeaderField::OjmFile);
    h.coverSize = fieldAt<qint32>(b, layout::CoverSize);
    h.durations = threeAt(b, layout::Durations);
    h.noteSectionOffsets = threeAt(b, layout::NoteSectionOffsets);
    h.coverOffset = fieldAt<qint32>(b, layout::CoverOffset);
    return h;
}

ChartRecord recordFieldsOf(const ChartHeader &header)
{
    ChartRecord record;
    if (header.bytes.size() >= layout::HeaderSize)
        readHeaderFields(header.bytes, record);
    return record;
}

const char *difficultyName(int difficulty)
{
    static const char *const names[DifficultyCount] = {"Ex", "Nx", "Hx"};
    return difficulty >= 0 && difficulty < DifficultyCount ? names[difficulty] : "?";
}

qint32 songDuration(const ChartHeader &header)
{
    return *std::max_element(header.durations.begin(), header.durations.end());
}

} // namespace ojn
