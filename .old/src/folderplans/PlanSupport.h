#pragma once

#include <QString>
#include <QStringList>

namespace ojn {

// The game's own charts start here.
inline constexpr qint64 FirstOfficialSongId = 100;
inline constexpr qint64 LastSongId = 2147483647;

// "a", "b" and "c", each in quotes.
inline QString quotedList(const QStringList &names)
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
