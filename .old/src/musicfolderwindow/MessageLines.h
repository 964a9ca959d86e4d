#pragma once

#include <QStringList>

namespace ojn {

// The lines a message names, one a line: at most 20 of them, then how
// many more there are, so that a batch over thousands of charts still
// gives a message that fits the screen.
[[nodiscard]] inline QString namedLines(const QStringList &lines)
{
    constexpr qsizetype LinesNamed = 20;
    QStringList named = lines.mid(0, LinesNamed);
    if (lines.size() > LinesNamed)
        named << QStringLiteral("... and %1 more.").arg(lines.size() - LinesNamed);
    return named.join(QLatin1Char('\n'));
}

} // namespace ojn
