#include "songlist/SongListComparison.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace ojn {

QString listStatusName(ListStatus status)
{
    switch (status) {
    case ListStatus::Current: return QStringLiteral("current");
    case ListStatus::Stale: return QStringLiteral("stale");
    case ListStatus::NotListed: return QStringLiteral("not listed");
    case ListStatus::ListedTwice: return QStringLiteral("listed twice");
    case ListStatus::Missing: return QStringLiteral("missing");
    case ListStatus::Unreadable: return QStringLiteral("unreadable");
    }
    return QString();
}

qsizetype SongListComparison::count(ListStatus status) const
{
    if (status == ListStatus::Missing)
        return missingEntries.size();
    return std::count_if(charts.begin(), charts.end(), [status](const ChartListState &s) { return s.status == status; });
}

SongListComparison compareSongList(const SongList &list, const QList<ChartScan> &charts)
{
    // The first entry of each song ID, and how many entries it has.
    QHash<qint32, QPair<qsizetype, int>> entries;
    entries.reserve(list.entries.size());
    for (qsizetype i = 0; i < list.entries.size(); ++i) {
        auto it = entries.find(songIdOfEntry(list.entries[i]));
        if (it == entries.end())
            entries.insert(songIdOfEntry(list.entries[i]), {i, 1});
        else
            ++it->second;
    }

    SongListComparison result;
    result.charts.reserve(charts.size());
    QSet<qint32> chartIds;
    for (const ChartScan &chart : charts) {
        ChartListState state;
        if (!chart.header) {
            state.status = ListStatus::Unreadable;
        } else {
            chartIds.insert(chart.header->songId);
            const auto it = entries.constFind(chart.header->songId);
            if (it != entries.cend()) {
                state.entry = it->first;
                if (it->second > 1)
                    state.status = ListStatus::ListedTwice;
                else
                    state.status = list.entries[it->first] == chart.header->bytes ? ListStatus::Current : ListStatus::Stale;
            }
        }
        result.charts.append(state);
    }
    for (qsizetype i = 0; i < list.entries.size(); ++i) {
        if (!chartIds.contains(songIdOfEntry(list.entries[i])))
            result.missingEntries.append(i);
    }
    return result;
}

} // namespace ojn
