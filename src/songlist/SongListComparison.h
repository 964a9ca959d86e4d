#pragma once

#include "model/ChartCheck.h"
#include "songlist/SongList.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

namespace ojn {

// Where a song stands between the song list and the folder's charts,
// matched by song ID.
enum class ListStatus {
    Current,     // listed with exactly the chart's first 300 bytes
    Stale,       // listed, but the entry differs from the chart's first 300 bytes
    NotListed,   // a chart the list does not hold
    ListedTwice, // the list holds the chart's song ID more than once
    Missing,     // an entry whose song ID no readable chart holds
    Unreadable,  // a chart that cannot be read, so it is not compared
};

// A few plain words for the status ("current", "stale", "not listed",
// "listed twice", "missing", "unreadable").
[[nodiscard]] QString listStatusName(ListStatus status);

struct ChartListState {
    ListStatus status = ListStatus::NotListed;
    qsizetype entry = -1; // the (first) entry with the chart's song ID, or -1
};

struct SongListComparison {
    QList<ChartListState> charts;     // parallel to the charts compared
    QList<qsizetype> missingEntries;  // entries no readable chart matches, in list order

    // How many charts have the status (or, for Missing, how many entries).
    [[nodiscard]] qsizetype count(ListStatus status) const;
};

// Compares byte for byte; an encrypted chart with its decrypted header.
[[nodiscard]] SongListComparison compareSongList(const SongList &list, const QList<ChartScan> &charts);

// A list's entries found by song ID once, so that charts coming in batches
// are each compared in constant time, not by going through the list again.
class SongListIndex {
public:
    explicit SongListIndex(const SongList &list);
    // Where the chart stands, as compareSongList says it.
    [[nodiscard]] ChartListState stateOf(const ChartScan &chart) const;

private:
    SongList m_list;
    QHash<qint32, QPair<qsizetype, int>> m_entries; // the first entry of each song ID, and how many it has
};

} // namespace ojn
