#include "folderchecks/FolderSummary.h"

namespace ojn {
namespace {

QString countText(qsizetype count, const char *one, const char *many, const QLocale &locale)
{
    return QStringLiteral("%1 %2").arg(locale.toString(qint64(count)), QLatin1String(count == 1 ? one : many));
}

} // namespace

QString folderStatusText(const FolderSummary &summary, const QLocale &locale)
{
    QStringList parts;
    parts << countText(summary.charts, "chart", "charts", locale);
    parts << (summary.withProblems == 0 ? QStringLiteral("no problems")
                                        : QStringLiteral("%1 with problems").arg(locale.toString(qint64(summary.withProblems))));
    if (!summary.hasSongList) {
        parts << (summary.songListUnreadable ? QStringLiteral("the song list could not be read") : QStringLiteral("no song list"));
    } else {
        QStringList list;
        const auto add = [&](qsizetype count, const char *what) {
            if (count > 0)
                list << QStringLiteral("%1 %2").arg(locale.toString(qint64(count)), QLatin1String(what));
        };
        add(summary.stale, "stale");
        add(summary.notListed, "not listed");
        add(summary.listedTwice, "listed twice");
        if (summary.allChartsRead)
            add(summary.missing, "missing");
        if (list.isEmpty())
            list << (summary.allChartsRead ? QStringLiteral("up to date") : QStringLiteral("comparing"));
        parts << QStringLiteral("song list: ") + list.join(QLatin1String(", "));
    }
    return parts.join(QStringLiteral(" \u00b7 "));
}

} // namespace ojn
