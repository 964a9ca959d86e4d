#pragma once

#include "model/ChartCheck.h"
#include "result/Result.h"
#include "songlist/SongList.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace ojn {

// One song a sync changes: its song ID, its title's bytes (the new
// header's; a dropped entry's own) and what happens to it.
struct SongListChange {
    enum class Kind { Refreshed, Added, Dropped };
    Kind kind = Kind::Refreshed;
    qint32 songId = 0;
    QByteArray title;
};

// "refreshed", "added", "dropped".
[[nodiscard]] QString songListChangeName(SongListChange::Kind kind);

// What bringing a song list in step with a folder's charts does, worked
// out before anything is written, so a window can show it first and a
// command can print it.
struct SongListSync {
    SongList list;           // the list to save
    QList<qint32> refreshed; // entries replaced where they stand by their chart's header
    QList<qint32> added;     // charts not listed, appended in song ID order
    QList<qint32> missing;   // entries no readable chart matches, in list order
    bool missingDropped = false;
    qsizetype unchanged = 0; // entries already equal to their chart's header
    QStringList skipped;     // charts left out because they cannot be read
    // Every song refreshed or dropped, in list order, then those added.
    QList<SongListChange> changes;

    // Whether saving `list` changes the file; when not, nothing is written.
    [[nodiscard]] bool changesList() const;
    // One line: "1 refreshed, 2 added, 3 missing kept, 40 unchanged."
    [[nodiscard]] QString summary() const;
};

// Replaces each stale entry where it stands (every entry of a song listed
// twice), appends unlisted charts in song ID order, and keeps entries
// without a chart unless `dropMissing`. The extra sections are kept byte
// for byte. Refused when two charts hold one song ID, when entries
// without a chart would be dropped while some chart cannot be read (it
// may be theirs), and when dropping them would leave no entry: then there
// is nothing to save.
Result<SongListSync> planSongListSync(const SongList &list, const QList<ChartScan> &charts, bool dropMissing = false);

// A new song list: the sync of an empty one that keeps `extraSections` (an
// old list's, or none), so every readable chart's first 300 bytes (an
// encrypted chart's decrypted ones) are added in song ID order, under the
// same refusal of a song ID used twice; refused too when no chart can be
// read, since the list would hold no song.
Result<SongListSync> buildSongList(const QList<ChartScan> &charts, const QByteArray &extraSections = {});

} // namespace ojn
