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

SongListIndex::SongListIndex(const SongList &list)
    : m_list(list)
{
    m_entries.reserve(list.entries.size());
    for (qsizetype i = 0; i < list.entries.size(); ++i) {
        auto it = m_entries.find(songIdOfEntry(list.entries[i]));
        if (it == m_entries.end())
            m_entries.insert(songIdOfEntry(list.entries[i]), {i, 1});
        else
            ++it->second;
    }
}

ChartListState SongListIndex::stateOf(const ChartScan &chart) const
{
    ChartListState state;
    if (!chart.header) {
        state.status = ListStatus::Unreadable;
        return state;
    }
    const auto it = m_entries.constFind(chart.header->songId);
    if (it != m_entries.cend()) {
        state.entry = it->first;
        if (it->second > 1)
            state.status = ListStatus::ListedTwice;
        else
            state.status = m_list.entries[it->first] == chart.header->bytes ? ListStatus::Current : ListStatus::Stale;
    }
    return state;
}

SongListComparison compareSongList(const SongList &list, const QList<ChartScan> &charts)
{
    const SongListIndex index(list);
    SongListComparison result;
    result.charts.reserve(charts.size());
    QSet<qint32> chartIds;
    for (const ChartScan &chart : charts) {
        if (chart.header)
            chartIds.insert(chart.header->songId);
        result.charts.append(index.stateOf(chart));
    }
    for (qsizetype i = 0; i < list.entries.size(); ++i) {
        if (!chartIds.contains(songIdOfEntry(list.entries[i])))
            result.missingEntries.append(i);
    }
    return result;
}

} // namespace ojn
