#include "songlist/SongListSync.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace ojn {
namespace {

// Fails when these charts cannot make one song list, naming the song IDs
// that more than one chart holds, each with its files. A list names songs
// by ID, so it cannot say which of two charts it means.
Result<> checkSongIdsUnique(const QList<ChartScan> &charts)
{
    QStringList clashes;
    for (const QList<qsizetype> &group : songIdClashes(charts)) {
        QStringList files;
        for (const qsizetype i : group)
            files.append(QFileInfo(charts[i].path).fileName());
        clashes.append(QStringLiteral("song ID %1 (%2)").arg(charts[group.first()].header->songId).arg(files.join(QLatin1String(", "))));
    }
    if (clashes.isEmpty())
        return Result<>::success();
    return Failure{QStringLiteral("More than one chart has the same song ID, so the song list cannot tell them apart: %1. "
                                  "Give each chart a song ID of its own first.")
                       .arg(clashes.join(QLatin1String("; ")))};
}

} // namespace

QString songListChangeName(SongListChange::Kind kind)
{
    switch (kind) {
    case SongListChange::Kind::Refreshed: return QStringLiteral("refreshed");
    case SongListChange::Kind::Added: return QStringLiteral("added");
    case SongListChange::Kind::Dropped: return QStringLiteral("dropped");
    }
    return QString();
}

bool SongListSync::changesList() const
{
    return !refreshed.isEmpty() || !added.isEmpty() || (missingDropped && !missing.isEmpty());
}

QString SongListSync::summary() const
{
    return QStringLiteral("%1 refreshed, %2 added, %3 missing %4, %5 unchanged.")
        .arg(refreshed.size())
        .arg(added.size())
        .arg(missing.size())
        .arg(missingDropped ? QStringLiteral("dropped") : QStringLiteral("kept"))
        .arg(unchanged);
}

Result<SongListSync> planSongListSync(const SongList &list, const QList<ChartScan> &charts, bool dropMissing)
{
    if (const Result<> unique = checkSongIdsUnique(charts); !unique.ok())
        return Failure{unique.error()};
    SongListSync sync;

    QHash<qint32, const ChartHeader *> chartById;
    chartById.reserve(charts.size());
    for (const ChartScan &chart : charts) {
        if (chart.header)
            chartById.insert(chart.header->songId, &*chart.header);
        else
            sync.skipped.append(chart.path);
    }

    sync.missingDropped = dropMissing;
    sync.list.extraSections = list.extraSections;
    sync.list.entries.reserve(list.entries.size());
    QSet<qint32> listed;
    for (const QByteArray &entry : list.entries) {
        const qint32 id = songIdOfEntry(entry);
        listed.insert(id);
        const ChartHeader *chart = chartById.value(id);
        if (!chart) {
            sync.missing.append(id);
            if (!dropMissing)
                sync.list.entries.append(entry);
            else
                sync.changes.append({SongListChange::Kind::Dropped, id, parseChartHeader(entry).value_or(ChartHeader()).title});
        } else if (chart->bytes == entry) {
            ++sync.unchanged;
            sync.list.entries.append(entry);
        } else {
            sync.refreshed.append(id);
            sync.list.entries.append(chart->bytes);
            sync.changes.append({SongListChange::Kind::Refreshed, id, chart->title});
        }
    }

    // A chart that could not be read (held open, a read error, a damaged
    // copy) may be the very chart of a "missing" song: dropping it would
    // take a song out of the game for a passing fault.
    if (dropMissing && !sync.missing.isEmpty() && !sync.skipped.isEmpty()) {
        QStringList names;
        for (const QString &path : std::as_const(sync.skipped))
            names.append(QFileInfo(path).fileName());
        return Failure{QStringLiteral("Songs without a chart are not dropped while some charts cannot be read, since those "
                                      "may be their charts: %1. Mend or move them, or sync without dropping.")
                           .arg(names.join(QLatin1String(", ")))};
    }

    QList<const ChartHeader *> unlisted;
    for (const ChartHeader *chart : std::as_const(chartById)) {
        if (!listed.contains(chart->songId))
            unlisted.append(chart);
    }
    std::sort(unlisted.begin(), unlisted.end(), [](const ChartHeader *a, const ChartHeader *b) { return a->songId < b->songId; });
    for (const ChartHeader *chart : unlisted) {
        sync.added.append(chart->songId);
        sync.list.entries.append(chart->bytes);
        sync.changes.append({SongListChange::Kind::Added, chart->songId, chart->title});
    }
    // A game with an empty list shows no song at all: pointed at the wrong
    // folder, a sync that drops must not take every song out.
    if (sync.list.entries.isEmpty() && !list.entries.isEmpty()) {
        return Failure{QStringLiteral("No chart in the folder can be read, so dropping the songs without a "
                                      "chart would leave the song list with no song.")};
    }
    return sync;
}

Result<SongListSync> buildSongList(const QList<ChartScan> &charts, const QByteArray &extraSections)
{
    Result<SongListSync> build = planSongListSync(SongList{{}, extraSections}, charts);
    if (build.ok() && build->list.entries.isEmpty())
        return Failure{QStringLiteral("No chart in the folder can be read, so a new song list would list no song.")};
    return build;
}

} // namespace ojn
