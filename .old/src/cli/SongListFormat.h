#pragma once

#include "cli/RecordFormat.h"
#include "songlist/SongList.h"

#include <QString>

namespace ojn::cli {

// A song list as `list show` prints it, with the path it was read from.
struct ShownSongList {
    QString path;
    SongList list;
};

// The list's size, then each entry's header fields and lengths; or for
// scripts one object with the entries as `show --json` gives a chart's
// fields, plus their number and durations.
[[nodiscard]] RecordFormat<ShownSongList> songListFormat();

} // namespace ojn::cli
