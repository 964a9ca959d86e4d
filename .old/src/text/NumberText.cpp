#include "text/NumberText.h"

#include <cmath>

namespace ojn {
namespace {

// Whether `t` is an optional sign, ASCII digits with an optional separator
// `point` and fraction (a digit on one side of it at least), and an
// optional exponent. Written out rather than as a regular expression: a
// match made on a worker thread leaves Qt a per-thread stack whose clean-up,
// when the thread ends, crashes in Windows builds.
bool hasNumberShape(QStringView t, QStringView point)
{
    qsizetype i = 0;
    const auto sign = [&] {
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            ++i;
    };
    const auto digits = [&] {
        const qsizetype start = i;
        while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
            ++i;
        return i - start;
    };
    sign();
    qsizetype mantissa = digits();
    if (!point.isEmpty() && t.sliced(i).startsWith(point)) {
        i += point.size();
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        sign();
        if (digits() == 0)
            return false;
    }
    return i == t.size();
}

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

    if (!hasNumberShape(t, locale.decimalPoint()))
        return QString();
    t.replace(locale.decimalPoint(), QLatin1String("."));
    return t;
}

} // namespace

QString integerText(qint64 value)
{
    return QString::number(value);
}

QString durationText(qint32 seconds)
{
    if (seconds < 0)
        return QStringLiteral("%1 s").arg(seconds);
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
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
