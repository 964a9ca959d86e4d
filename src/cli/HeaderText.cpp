#include "cli/HeaderText.h"

#include "model/ChartLayout.h"
#include "model/FieldValues.h"
#include "model/NumberText.h"

#include <cmath>

namespace ojn::cli {
namespace {

QString genreShown(qint16 genre)
{
    if (genre >= 0 && genre < GenreCount)
        return genreNames()[size_t(genre)];
    return QStringLiteral("%1 (not in the genre list)").arg(genre);
}

} // namespace

QString printable(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

FieldLines headerFieldLines(const ChartRecord &record, const Console &console)
{
    const FieldTexts texts = fieldTextsOf(record, console.codec, console.locale);
    return {
        {QStringLiteral("Song ID"), texts.SongID},
        {QStringLiteral("Title"), printable(texts.Title)},
        {QStringLiteral("Artist"), printable(texts.Artist)},
        {QStringLiteral("Pattern"), printable(texts.Pattern)},
        {QStringLiteral("Genre"), genreShown(record.Genre)},
        {QStringLiteral("OJM file"), printable(texts.OJMFile)},
        {QStringLiteral("BPM"), texts.BPM},
        {QStringLiteral("Level Ex"), texts.LevelEx},
        {QStringLiteral("Level Nx"), texts.LevelNx},
        {QStringLiteral("Level Hx"), texts.LevelHx},
        {QStringLiteral("Notes Ex"), texts.NoteCountEx},
        {QStringLiteral("Notes Nx"), texts.NoteCountNx},
        {QStringLiteral("Notes Hx"), texts.NoteCountHx},
    };
}

QString fieldBlock(const FieldLines &lines)
{
    QString block;
    for (const auto &[name, value] : lines)
        block += QStringLiteral("%1 %2\n").arg(name + QLatin1Char(':'), -10).arg(value);
    return block;
}

QJsonObject headerFieldsJson(const ChartRecord &record, const Console &console)
{
    const TextCodec &codec = console.codec;
    const bool genreListed = record.Genre >= 0 && record.Genre < GenreCount;
    return QJsonObject{
        {QStringLiteral("songId"), record.SongID},
        {QStringLiteral("title"), codec.decode(record.Title)},
        {QStringLiteral("titleHex"), QString::fromLatin1(record.Title.toHex())},
        {QStringLiteral("artist"), codec.decode(record.Artist)},
        {QStringLiteral("artistHex"), QString::fromLatin1(record.Artist.toHex())},
        {QStringLiteral("pattern"), codec.decode(record.Pattern)},
        {QStringLiteral("patternHex"), QString::fromLatin1(record.Pattern.toHex())},
        {QStringLiteral("ojmFile"), codec.decode(record.OJMFile)},
        {QStringLiteral("ojmFileHex"), QString::fromLatin1(record.OJMFile.toHex())},
        {QStringLiteral("genre"), record.Genre},
        {QStringLiteral("genreName"), genreListed ? QJsonValue(genreNames()[size_t(record.Genre)]) : QJsonValue()},
        // The stored single exactly (as a double); bpmText is the editor's form.
        {QStringLiteral("bpm"), std::isfinite(record.BPM) ? QJsonValue(double(record.BPM)) : QJsonValue()},
        {QStringLiteral("bpmText"), bpmText(record.BPM, console.locale)},
        {QStringLiteral("levelEx"), record.LevelEx},
        {QStringLiteral("levelNx"), record.LevelNx},
        {QStringLiteral("levelHx"), record.LevelHx},
        {QStringLiteral("noteCountEx"), record.NoteCountEx},
        {QStringLiteral("noteCountNx"), record.NoteCountNx},
        {QStringLiteral("noteCountHx"), record.NoteCountHx},
        {QStringLiteral("codePage"), codec.codePage()},
    };
}

} // namespace ojn::cli
