#include "model/FieldValues.h"

#include "model/ChartLayout.h"
#include "model/HeaderFields.h"
#include "text/MessageText.h"
#include "text/NumberText.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <variant>

namespace ojn {
namespace {

Result<> notANumber(const QString &field, const QString &text)
{
    return Result<>::failure(QStringLiteral("%1: %2 is not a number.").arg(field, quotedForMessage(text)));
}

// The control character's name in a message.
QString controlCharacterName(char16_t c)
{
    const QString code = QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    switch (c) {
    case 0x00: return QStringLiteral("a zero character (%1), where a stored text ends, so it could never be read back").arg(code);
    case 0x09: return QStringLiteral("a tab (%1)").arg(code);
    case 0x0a:
    case 0x0d: return QStringLiteral("a line break (%1)").arg(code);
    default: return QStringLiteral("the control character %1").arg(code);
    }
}

template <typename Int>
Result<> toInteger(const QString &field, const QString &text, const QLocale &locale, Int &out)
{
    const std::optional<double> number = numberFromText(text, locale);
    if (!number)
        return notANumber(field, text);
    // Half to even, as the field's rule promises: 12.5 -> 12, 13.5 -> 14.
    const double rounded = std::nearbyint(*number);
    constexpr auto low = std::numeric_limits<Int>::min();
    constexpr auto high = std::numeric_limits<Int>::max();
    if (!(rounded >= double(low) && rounded <= double(high))) {
        return Result<>::failure(QStringLiteral("%1: %2 is out of range; it must be a whole number from %3 to %4.")
                                    .arg(field, shownForMessage(text.trimmed()))
                                    .arg(low)
                                    .arg(high));
    }
    out = static_cast<Int>(rounded);
    return Result<>::success();
}

Result<> toText(const QString &field, const QString &text, const QByteArray &heldBytes, const TextCodec &codec,
               QByteArray &out)
{
    // An untouched box writes back the very bytes it was read from, even
    // when they do not decode cleanly.
    if (text == codec.decode(heldBytes)) {
        out = heldBytes;
        return Result<>::success();
    }
    if (Result<> storable = checkStorableText(field, text); !storable.ok())
        return storable;
    const std::optional<QByteArray> bytes = codec.encode(text);
    if (!bytes) {
        return Result<>::failure(QStringLiteral("%1: %2 has characters that code page %3 cannot store.")
                                    .arg(field, quotedForMessage(text))
                                    .arg(codec.codePage()));
    }
    if (bytes->size() > layout::TextLength && text.size() > MessageValueLength) {
        return Result<>::failure(QStringLiteral("%1: %2 is too long: it takes %3 bytes; at most %4 fit in the chart.")
                                    .arg(field, quotedForMessage(text))
                                    .arg(bytes->size())
                                    .arg(layout::TextLength));
    }
    if (bytes->size() > layout::TextLength) {
        return Result<>::failure(QStringLiteral("%1: %2 takes %3 bytes; at most %4 fit in the chart.")
                                    .arg(field, quotedForMessage(text))
                                    .arg(bytes->size())
                                    .arg(layout::TextLength));
    }
    out = *bytes;
    return Result<>::success();
}

Result<> toBpm(const QString &text, float held, const QLocale &locale, float &out)
{
    // The text form has at most seven digits, so a tempo left as shown is
    // written back with all of its stored bits (a NaN or infinite one too,
    // which could not be typed back anyway).
    if (text == bpmText(held, locale)) {
        out = held;
        return Result<>::success();
    }
    const std::optional<double> number = numberFromText(text, locale);
    if (!number)
        return notANumber(QStringLiteral("BPM"), text);
    if (!std::isfinite(*number) || std::fabs(*number) > double(FLT_MAX)) {
        return Result<>::failure(QStringLiteral("BPM: %1 is out of range for a tempo.").arg(shownForMessage(text.trimmed())));
    }
    out = static_cast<float>(*number);
    return Result<>::success();
}

} // namespace

Result<> checkStorableText(const QString &name, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            return Result<>::failure(QStringLiteral("%1: %2 holds %3; a chart's texts take no control characters.")
                                        .arg(name, quotedForMessage(text), controlCharacterName(c.unicode())));
        }
    }
    return Result<>::success();
}

FieldTexts fieldTextsOf(const ChartRecord &record, const TextCodec &codec, const QLocale &locale)
{
    FieldTexts texts;
    for (const HeaderFieldInfo &info : headerFields()) {
        QString &text = texts[info.field];
        if (info.field == HeaderField::Genre)
            text = record.Genre >= 0 && record.Genre < GenreCount ? genreNames()[size_t(record.Genre)] : QString();
        else if (info.kind == FieldKind::Float32)
            text = bpmText(record.BPM, locale);
        else if (info.kind == FieldKind::Text)
            text = codec.decode(textIn(record, info.field));
        else
            text = integerText(qint64(*numberIn(record, info.field)));
    }
    return texts;
}

Result<> applyFieldTexts(const FieldTexts &texts, ChartRecord &record, const TextCodec &codec, const QLocale &locale)
{
    // Work on a copy (the buffers are shared, not copied) so that a refusal
    // leaves the record as it was.
    ChartRecord next = record;
    for (const HeaderFieldInfo &info : headerFields()) {
        if (!info.editable || info.field == HeaderField::Genre)
            continue;
        const QString field = QLatin1String(info.label);
        const QString &text = texts[info.field];
        const Result<> step = std::visit(
            [&](auto member) {
                using Member = decltype(member);
                if constexpr (std::is_same_v<Member, QByteArray ChartRecord::*>)
                    return toText(field, text, record.*member, codec, next.*member);
                else if constexpr (std::is_same_v<Member, float ChartRecord::*>)
                    return toBpm(text, record.*member, locale, next.*member);
                else
                    return toInteger(field, text, locale, next.*member);
            },
            info.member);
        if (!step.ok())
            return step;
    }
    // The genre never refuses: a text outside the list keeps the stored value.
    if (const int genre = genreValueOf(texts[HeaderField::Genre]); genre >= 0)
        next.Genre = static_cast<qint16>(genre);

    record = std::move(next);
    return Result<>::success();
}

namespace {

// The field texts with the given edits typed over them.
FieldTexts withEdits(FieldTexts texts, const FieldEdits &edits)
{
    for (const HeaderFieldInfo &info : headerFields()) {
        if (const std::optional<QString> &edit = edits[info.field])
            texts[info.field] = *edit;
    }
    return texts;
}

} // namespace

Result<> applyFieldEdits(const FieldEdits &edits, ChartRecord &record, const TextCodec &codec, const QLocale &locale)
{
    return applyFieldTexts(withEdits(fieldTextsOf(record, codec, locale), edits), record, codec, locale);
}

QStringList valueNamesOf(HeaderField field)
{
    if (!fieldInfo(field).named)
        return {};
    return QStringList(genreNames().begin(), genreNames().end());
}

FieldTexts selectedFieldTexts(const QList<FieldTexts> &charts)
{
    FieldTexts texts;
    if (charts.isEmpty())
        return texts;
    for (const HeaderFieldInfo &info : headerFields()) {
        if (!*info.editLabel)
            continue;
        const QString &first = charts.first()[info.field];
        const bool same = std::all_of(charts.begin(), charts.end(),
                                      [&](const FieldTexts &chart) { return chart[info.field] == first; });
        texts[info.field] = same ? first : QLatin1String(KeepText);
    }
    return texts;
}

} // namespace ojn
