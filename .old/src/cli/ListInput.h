#pragma once

#include "cli/Console.h"
#include "model/ChartCheck.h"
#include "songlist/SongList.h"

#include <QList>
#include <QString>

#include <optional>

namespace ojn::cli {

// The charts of a music folder as the song list commands need them: each
// one's header. A folder that cannot be listed is reported and gives
// nothing. A chart that cannot be read is reported, naming it, and stays
// in the result without a header, which the song list code leaves out
// (and names among its skipped charts).
[[nodiscard]] std::optional<QList<ChartScan>> scanFolderOrReport(const QString &folder, Console &console);

// The song list at `path`; nothing after reporting why it cannot be read.
[[nodiscard]] std::optional<SongList> readSongListOrReport(const QString &path, Console &console);

} // namespace ojn::cli
