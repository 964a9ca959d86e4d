#include "model/FieldValues.h"

#include "model/ChartLayout.h"
#include "model/NumberText.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace ojn {
namespace {

Outcome notANumber(const QString &field, const QString &text)
{
    return Outcome::failure(QStringLiteral("%1: \"%2\" is not a number.").arg(field, text));
}

template <typename Int>
Outcome toInteger(const QString &field, const QString &text, const QLocale &locale, Int &out)
{
    const std::optional<double> number = numberFromText(text, locale);
    if (!number)
        return notANumber(field, text);
    // Half to even, as the field's rule promises: 12.5 -> 12, 13.5 -> 14.
    const double rounded = std::nearbyint(*number);
    constexpr auto low = std::numeric_limits<Int>::min();
    constexpr auto high = std::numeric_limits<Int>::max();
    if (!(rounded >= double(low) && rounded <= double(high))) {
        return Outcome::failure(QStringLiteral("%1: %2 is out of range; it must be a whole number from %3 to %4.")
                                    .arg(field, text.trimmed())
                                    .arg(low)
                                    .arg(high));
    }
    out = static_cast<Int>(rounded);
    return Outcome::success();
}

Outcome toText(const QString &field, const QString &text, const QByteArray &heldBytes, const TextCodec &codec,
               QByteArray &out)
{
    // An untouched box writes back the very bytes it was read from, even
    // when they do not decode cleanly.
    if (text == codec.decode(heldBytes)) {
        out = heldBytes;
        return Outcome::success();
    }
    const std::optional<QByteArray> bytes = codec.encode(text);
    if (!bytes) {
        return Outcome::failure(QStringLiteral("%1: \"%2\" has characters that code page %3 cannot store.")
                                    .arg(field, text)
                                    .arg(codec.codePage()));
    }
    if (bytes->size() > layout::TextLength) {
        return Outcome::failure(QStringLiteral("%1: \"%2\" takes %3 bytes; at most %4 fit in the chart.")
                                    .arg(field, text)
                                    .arg(bytes->size())
                                    .arg(layout::TextLength));
    }
    out = *bytes;
    return Outcome::success();
}

Outcome toBpm(const QString &text, float held, const QLocale &locale, float &out)
{
    // The text form has at most seven digits, so a tempo left as shown is
    // written back with all of its stored bits (a NaN or infinite one too,
    // which could not be typed back anyway).
    if (text == bpmText(held, locale)) {
        out = held;
        return Outcome::success();
    }
    const std::optional<double> number = numberFromText(text, locale);
    if (!number)
        return notANumber(QStringLiteral("BPM"), text);
    if (!std::isfinite(*number) || std::fabs(*number) > double(FLT_MAX)) {
        return Outcome::failure(QStringLiteral("BPM: %1 is out of range for a tempo.").arg(text.trimmed()));
    }
    out = static_cast<float>(*number);
    return Outcome::success();
}

} // namespace

FieldTexts fieldTextsOf(const ChartRecord &record, const TextCodec &codec, const QLocale &locale)
{
    FieldTexts texts;
    texts.SongID = integerText(record.SongID);
    texts.Title = codec.decode(record.Title);
    texts.Artist = codec.decode(record.Artist);
    texts.Pattern = codec.decode(record.Pattern);
    texts.OJMFile = codec.decode(record.OJMFile);
    texts.Genre = record.Genre >= 0 && record.Genre < GenreCount ? genreNames()[size_t(record.Genre)] : QString();
    texts.BPM = bpmText(record.BPM, locale);
    texts.LevelEx = integerText(record.LevelEx);
    texts.LevelNx = integerText(record.LevelNx);
    texts.LevelHx = integerText(record.LevelHx);
    texts.NoteCountEx = integerText(record.NoteCountEx);
    texts.NoteCountNx = integerText(record.NoteCountNx);
    texts.NoteCountHx = integerText(record.NoteCountHx);
    return texts;
}

Outcome applyFieldTexts(const FieldTexts &texts, ChartRecord &record, const TextCodec &codec, const QLocale &locale)
{
    // Work on a copy (the buffers are shared, not copied) so that a refusal
    // leaves the record as it was.
    ChartRecord next = record;
    const Outcome steps[] = {
        toInteger(QStringLiteral("Song ID"), texts.SongID, locale, next.SongID),
        toText(QStringLiteral("Title"), texts.Title, record.Title, codec, next.Title),
        toText(QStringLiteral("Artist"), texts.Artist, record.Artist, codec, next.Artist),
        toText(QStringLiteral("Pattern"), texts.Pattern, record.Pattern, codec, next.Pattern),
        toText(QStringLiteral("OJM file"), texts.OJMFile, record.OJMFile, codec, next.OJMFile),
        toBpm(texts.BPM, record.BPM, locale, next.BPM),
        toInteger(QStringLiteral("Level Ex"), texts.LevelEx, locale, next.LevelEx),
        toInteger(QStringLiteral("Level Nx"), texts.LevelNx, locale, next.LevelNx),
        toInteger(QStringLiteral("Level Hx"), texts.LevelHx, locale, next.LevelHx),
    };
    for (const Outcome &step : steps) {
        if (!step.ok())
            return step;
    }
    if (const int genre = genreValueOf(texts.Genre); genre >= 0)
        next.Genre = static_cast<qint16>(genre);

    record = std::move(next);
    return Outcome::success();
}

namespace {

// The field texts with the given edits typed over them.
FieldTexts withEdits(FieldTexts texts, const FieldEdits &edits)
{
    const auto typeOver = [](QString &text, const std::optional<QString> &edit) {
        if (edit)
            text = *edit;
    };
    typeOver(texts.SongID, edits.SongID);
    typeOver(texts.Title, edits.Title);
    typeOver(texts.Artist, edits.Artist);
    typeOver(texts.Pattern, edits.Pattern);
    typeOver(texts.OJMFile, edits.OJMFile);
    typeOver(texts.Genre, edits.Genre);
    typeOver(texts.BPM, edits.BPM);
    typeOver(texts.LevelEx, edits.LevelEx);
    typeOver(texts.LevelNx, edits.LevelNx);
    typeOver(texts.LevelHx, edits.LevelHx);
    return texts;
}

} // namespace

Outcome applyFieldEdits(const FieldEdits &edits, ChartRecord &record, const TextCodec &codec, const QLocale &locale)
{
    return applyFieldTexts(withEdits(fieldTextsOf(record, codec, locale), edits), record, codec, locale);
}

} // namespace ojn
