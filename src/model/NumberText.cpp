#include "model/NumberText.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <limits>

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
    QString plain = plainNumber(text, locale);
    if (plain.isEmpty())
        return std::nullopt;
    const bool negative = plain.startsWith(QLatin1Char('-'));
    if (plain.startsWith(QLatin1Char('+')) || negative)
        plain.remove(0, 1);
    const QByteArray digits = plain.toLatin1();

    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.constData(), digits.constData() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Either far too large or too small to matter; tell them apart by
        // the exponent's sign.
        const bool tiny = digits.contains("e-") || digits.contains("E-");
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc() || end != digits.constData() + digits.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

} // namespace ojn
