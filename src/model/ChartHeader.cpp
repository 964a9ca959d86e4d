#include "model/ChartHeader.h"

#include "model/ChartLayout.h"

#include <QtEndian>

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
    h.songId = fieldAt<qint32>(b, layout::SongID);
    h.encoderVersion = fieldAt<float>(b, layout::EncoderVersion);
    h.genre = fieldAt<qint32>(b, layout::Genre);
    h.bpm = fieldAt<float>(b, layout::BPM);
    h.levels = {fieldAt<qint16>(b, layout::LevelEx), fieldAt<qint16>(b, layout::LevelNx),
                fieldAt<qint16>(b, layout::LevelHx), fieldAt<qint16>(b, layout::LevelFourth)};
    h.eventCounts = threeAt(b, layout::EventCounts);
    h.noteCounts = threeAt(b, layout::NoteCountEx);
    h.measureCounts = threeAt(b, layout::MeasureCounts);
    h.packageCounts = threeAt(b, layout::PackageCounts);
    h.oldEncoderVersion = fieldAt<qint16>(b, layout::OldEncoderVersion);
    h.oldSongId = fieldAt<qint16>(b, layout::OldSongID);
    h.oldGenre = QByteArray(b + layout::OldGenre, layout::OldGenreLength);
    h.thumbnailSize = fieldAt<qint32>(b, layout::SmallFrameSize);
    h.oldFileVersion = fieldAt<qint32>(b, layout::OldFileVersion);
    h.title = textAt(b, layout::Title, layout::TitleSlotLength);
    h.artist = textAt(b, layout::Artist, layout::TextLength);
    h.pattern = textAt(b, layout::Pattern, layout::TextLength);
    h.ojmFile = textAt(b, layout::OJMFile, layout::TextLength);
    h.coverSize = fieldAt<qint32>(b, layout::FullImageSize);
    h.durations = threeAt(b, layout::Durations);
    h.noteSectionOffsets = threeAt(b, layout::NoteSectionOffsets);
    h.coverOffset = fieldAt<qint32>(b, layout::FullImageOffset);
    return h;
}

ChartRecord recordFieldsOf(const ChartHeader &header)
{
    ChartRecord record;
    record.SongID = header.songId;
    record.Title = header.title;
    record.Artist = header.artist;
    record.Pattern = header.pattern;
    record.OJMFile = header.ojmFile;
    record.Genre = static_cast<qint16>(header.genre);
    record.BPM = header.bpm;
    record.LevelEx = header.levels[Ex];
    record.LevelNx = header.levels[Nx];
    record.LevelHx = header.levels[Hx];
    record.NoteCountEx = header.noteCounts[Ex];
    record.NoteCountNx = header.noteCounts[Nx];
    record.NoteCountHx = header.noteCounts[Hx];
    return record;
}

const char *difficultyName(int difficulty)
{
    static const char *const names[DifficultyCount] = {"Ex", "Nx", "Hx"};
    return difficulty >= 0 && difficulty < DifficultyCount ? names[difficulty] : "?";
}

} // namespace ojn
