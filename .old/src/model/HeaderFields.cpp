#include "model/HeaderFields.h"

#include "model/ChartLayout.h"

#include <QtEndian>

#include <cstring>

namespace ojn {
namespace {

using R = ChartRecord;
using K = FieldKind;
using F = HeaderField;

// One row per field: the only place that names them all.
const std::array<HeaderFieldInfo, HeaderFieldCount> Fields{{
    // field, member, kind, offset, slot, label, option, JSON key, column and its width, box, Edit Selected's label,
    // editable, named
    {F::SongId, &R::SongID, K::Int32, 0, 0, "Song ID", "id", "songId", "ID", 50, "IDBox", "", true, false},
    {F::Title, &R::Title, K::Text, 108, layout::TitleSlotLength, "Title", "title", "title", "Title", 180, "TitleBox", "", true, false},
    {F::Artist, &R::Artist, K::Text, 172, layout::TextLength, "Artist", "artist", "artist", "Artist", 130, "ArtistBox", "&Artist:", true, false},
    {F::Pattern, &R::Pattern, K::Text, 204, layout::TextLength, "Pattern", "pattern", "pattern", "Pattern", 90, "PatternBox", "&Pattern:", true, false},
    {F::Genre, &R::Genre, K::Int16, 12, 0, "Genre", "genre", "genre", "Genre", 80, "GenreBox", "&Genre:", true, true},
    {F::OjmFile, &R::OJMFile, K::Text, 236, layout::TextLength, "OJM file", "ojm", "ojmFile", "OJM", 110, "OJMBox", "", true, false},
    {F::Bpm, &R::BPM, K::Float32, 16, 0, "BPM", "bpm", "bpm", "BPM", 50, "BPMBox", "", true, false},
    {F::LevelEx, &R::LevelEx, K::Int16, layout::Levels + 0, 0, "Level Ex", "level-ex", "levelEx", "Level Ex", 64, "ExBox", "Level &Ex:", true, false},
    {F::LevelNx, &R::LevelNx, K::Int16, layout::Levels + 2, 0, "Level Nx", "level-nx", "levelNx", "Level Nx", 64, "NxBox", "Level &Nx:", true, false},
    {F::LevelHx, &R::LevelHx, K::Int16, layout::Levels + 4, 0, "Level Hx", "level-hx", "levelHx", "Level Hx", 64, "HxBox", "Level &Hx:", true, false},
    {F::NoteCountEx, &R::NoteCountEx, K::Int32, layout::NoteCounts + 0, 0, "Notes Ex", "", "noteCountEx", "Notes Ex", 68, "NoteEx", "", false, false},
    {F::NoteCountNx, &R::NoteCountNx, K::Int32, layout::NoteCounts + 4, 0, "Notes Nx", "", "noteCountNx", "Notes Nx", 68, "NoteNx", "", false, false},
    {F::NoteCountHx, &R::NoteCountHx, K::Int32, layout::NoteCounts + 8, 0, "Notes Hx", "", "noteCountHx", "Notes Hx", 68, "NoteHx", "", false, false},
}};

template <typename T>
void readNumber(const char *header, const HeaderFieldInfo &info, ChartRecord &record)
{
    record.*std::get<T ChartRecord::*>(info.member) = qFromLittleEndian<T>(header + info.offset);
}

template <typename T>
void writeNumber(const ChartRecord &record, const HeaderFieldInfo &info, QByteArray &header)
{
    qToLittleEndian<T>(record.*std::get<T ChartRecord::*>(info.member), header.data() + info.offset);
}

} // namespace

const std::array<HeaderFieldInfo, HeaderFieldCount> &headerFields()
{
    return Fields;
}

const HeaderFieldInfo &fieldInfo(HeaderField field)
{
    return Fields[size_t(field)];
}

std::optional<HeaderField> fieldWithOption(QStringView option)
{
    for (const HeaderFieldInfo &info : Fields) {
        if (*info.option && option == QLatin1String(info.option))
            return info.field;
    }
    return std::nullopt;
}

std::optional<HeaderField> fieldWithJsonKey(QStringView key)
{
    for (const HeaderFieldInfo &info : Fields) {
        if (key == QLatin1String(info.jsonKey))
            return info.field;
    }
    return std::nullopt;
}

HeaderField levelField(int difficulty)
{
    return HeaderField(int(F::LevelEx) + difficulty);
}

HeaderField noteCountField(int difficulty)
{
    return HeaderField(int(F::NoteCountEx) + difficulty);
}

std::optional<double> numberIn(const ChartRecord &record, HeaderField field)
{
    return std::visit(
        [&record](auto member) -> std::optional<double> {
            if constexpr (std::is_same_v<decltype(member), QByteArray ChartRecord::*>)
                return std::nullopt;
            else
                return double(record.*member);
        },
        fieldInfo(field).member);
}

QByteArray textIn(const ChartRecord &record, HeaderField field)
{
    const auto *member = std::get_if<QByteArray ChartRecord::*>(&fieldInfo(field).member);
    return member ? record.**member : QByteArray();
}

void readHeaderFields(QByteArrayView header, ChartRecord &record)
{
    Q_ASSERT(header.size() >= layout::HeaderSize);
    const char *bytes = header.data();
    for (const HeaderFieldInfo &info : Fields) {
        switch (info.kind) {
        case K::Int32: readNumber<qint32>(bytes, info, record); break;
        case K::Int16: readNumber<qint16>(bytes, info, record); break;
        case K::Float32: readNumber<float>(bytes, info, record); break;
        case K::Text: {
            const QByteArrayView slot(bytes + info.offset, info.slotLength);
            const qsizetype end = slot.indexOf('\0');
            record.*std::get<QByteArray ChartRecord::*>(info.member) = (end < 0 ? slot : slot.first(end)).toByteArray();
            break;
        }
        }
    }
}

void writeHeaderFields(const ChartRecord &record, QByteArray &header)
{
    Q_ASSERT(header.size() >= layout::HeaderSize);
    for (const HeaderFieldInfo &info : Fields) {
        if (!info.editable)
            continue;
        switch (info.kind) {
        case K::Int32: writeNumber<qint32>(record, info, header); break;
        case K::Int16: writeNumber<qint16>(record, info, header); break;
        case K::Float32: writeNumber<float>(record, info, header); break;
        case K::Text: {
            const QByteArray &text = record.*std::get<QByteArray ChartRecord::*>(info.member);
            std::memset(header.data() + info.offset, 0, layout::TextClearLength);
            std::memcpy(header.data() + info.offset, text.constData(), size_t(qMin<qsizetype>(text.size(), layout::TextLength)));
            break;
        }
        }
    }
}

} // namespace ojn
