#include "model/NumberText.h"

#include <QRegularExpression>

#include <cmath>

namespace ojn {
namespace {

// The text with the locale's sign and separator replaced by plain ASCII
// ones, if it has the shape of a number; empty otherwise.
QString plainNumber(const QString &text, const QLocale &locale)
{
    QString t = text.trimmed();
    const QString minus = locale.negativeSign();
    const QString plus = locale.positiveSign();
    if (!t.isEmpty() && minus != QLatin1String("-") && t.startsWith(minus))
        t.replace(0, minus.size(), QLatin1Char('-'));
    else if (!t.isEmpty() && plus != QLatin1String("+") && t.startsWith(plus))
        t.replace(0, plus.size(), QLatin1Char('+'));

    const QString point = QRegularExpression::escape(locale.decimalPoint());
    const QRegularExpression shape(
        QStringLiteral("^[+-]?(?:[0-9]+(?:%1[0-9]*)?|%1[0-9]+)(?:[eE][+-]?[0-9]+)?$").arg(point));
    if (!shape.match(t).hasMatch())
        return QString();
    t.replace(locale.decimalPoint(), QLatin1String("."));
    return t;
}

} // namespace

QString integerText(qint64 value)
{
    return QString::number(value);
}

QString bpmText(float value, const QLocale &locale)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (value == 0.0f)
        return QStringLiteral("0"); // not "-0"
    // Formatted in the C locale so the digits stay ASCII whatever the
    // user's locale; only the separator is the locale's.
    QString text = QString::number(double(value), 'G', 7);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

bool isNumericText(const QString &text, const QLocale &locale)
{
    return !plainNumber(text, locale).isEmpty();
}

std::optional<double> numberFromText(const QString &text, const QLocale &locale)
{
    const QString plain = plainNumber(text, locale);
    if (plain.isEmpty())
        return std::nullopt;
    // The text has a number's shape, so the only failure left is a value
    // beyond a double's range, which comes back as an infinity when too
    // large and as zero when too small; both are the right answer here.
    return QLocale::c().toDouble(plain);
}

} // namespace ojn
