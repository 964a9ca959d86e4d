#include "text/MessageText.h"

namespace ojn {
namespace {

QString printablePart(const QString &value, bool quoted)
{
    qsizetype end = qMin(value.size(), MessageValueLength);
    // Never half a character outside the Basic Multilingual Plane.
    if (end < value.size() && end > 0 && value[end - 1].isHighSurrogate())
        --end;
    QString shown;
    shown.reserve(end + 8);
    if (quoted)
        shown += QLatin1Char('"');
    for (qsizetype i = 0; i < end; ++i) {
        const char16_t c = value[i].unicode();
        if (c < 0x20 || c == 0x7f)
            shown += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
        else
            shown += value[i];
    }
    if (end < value.size())
        shown += QChar(0x2026);
    if (quoted)
        shown += QLatin1Char('"');
    if (end < value.size())
        shown += QStringLiteral(" (%1 characters)").arg(value.size());
    return shown;
}

} // namespace

QString quotedForMessage(const QString &value)
{
    return printablePart(value, true);
}

QString shownForMessage(const QString &value)
{
    return printablePart(value, false);
}

QString quotedList(const QStringList &names)
{
    QStringList quoted;
    for (const QString &name : names)
        quoted << QLatin1Char('"') + name + QLatin1Char('"');
    if (quoted.size() < 2)
        return quoted.join(QString());
    const QString last = quoted.takeLast();
    return quoted.join(QLatin1String(", ")) + QLatin1String(" and ") + last;
}

} // namespace ojn
