#pragma once

#include "result/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

class QIODevice;

namespace ojn {

// The game's song list (Image/OJNList.dat): an int32 count, then that
// many entries, each a copy of one chart's first 300 bytes, then extra
// sections that differ by client version. The extra sections refer to
// songs by ID, so they are carried byte for byte whatever the entries do.
inline constexpr qint64 SongListEntrySize = 300;
inline constexpr qint64 SongListCountSize = 4;

struct SongList {
    QList<QByteArray> entries; // each exactly SongListEntrySize bytes
    QByteArray extraSections;
};

// The song ID at the start of an entry.
[[nodiscard]] qint32 songIdOfEntry(QByteArrayView entry);

// Reads a song list from its bytes. A list shorter than its count, with a
// negative count, or with entries running past the end is refused with
// the fault named (a clause: "its song count is negative (-1)").
Result<SongList> parseSongList(QByteArrayView bytes);

// Reads the file at `path` as above; the message names the file.
Result<SongList> readSongListFile(const QString &path);

// Writes the count, the entries and the extra sections, in that order.
Result<> writeSongList(const SongList &list, QIODevice &device);

// Replaces the file at `path` safely, as a chart is saved: the old list
// stays exactly as it was unless the new one is complete on disk.
Result<> writeSongListFile(const SongList &list, const QString &path);

// Refuses a song list target that is a chart (a name ending in .ojn, also
// through links), so writing a list can never overwrite a chart; then,
// by content, one that is a chart or an OJM under any name (see
// checkOutputTarget).
Result<> checkSongListTarget(const QString &path);

} // namespace ojn
