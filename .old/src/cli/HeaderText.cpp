#include "cli/HeaderText.h"

#include "model/ChartLayout.h"
#include "model/FieldValues.h"
#include "model/HeaderFields.h"
#include "text/NumberText.h"

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
    FieldLines lines;
    for (const HeaderFieldInfo &info : headerFields()) {
        const QString &text = texts[info.field];
        lines.append({QLatin1String(info.label), info.field == HeaderField::Genre ? genreShown(qint16(*numberIn(record, info.field)))
                                                 : info.kind == FieldKind::Text   ? printable(text)
                                                                                  : text});
    }
    return lines;
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
    QJsonObject json{{QStringLiteral("codePage"), codec.codePage()}};
    for (const HeaderFieldInfo &info : headerFields()) {
        const QString key = QLatin1String(info.jsonKey);
        if (info.kind == FieldKind::Text) {
            const QByteArray bytes = textIn(record, info.field);
            json.insert(key, codec.decode(bytes));
            json.insert(key + QLatin1String("Hex"), QString::fromLatin1(bytes.toHex()));
        } else if (info.kind == FieldKind::Float32) {
            // The stored single exactly (as a double); the text is the editor's form.
            const float value = record.*std::get<float ChartRecord::*>(info.member);
            json.insert(key, std::isfinite(value) ? QJsonValue(double(value)) : QJsonValue());
            json.insert(key + QLatin1String("Text"), bpmText(value, console.locale));
        } else {
            json.insert(key, qint64(*numberIn(record, info.field)));
        }
    }
    // The genre's name beside its number, null outside the list.
    const HeaderFieldInfo &genre = fieldInfo(HeaderField::Genre);
    const double number = *numberIn(record, genre.field);
    const bool listed = number >= 0 && number < GenreCount;
    json.insert(QLatin1String(genre.jsonKey) + QLatin1String("Name"), listed ? QJsonValue(genreNames()[size_t(number)]) : QJsonValue());
    return json;
}

} // namespace ojn::cli
