#pragma once

#include "cli/Console.h"
#include "model/ChartCheck.h"
#include "songlist/SongList.h"
#include "songlist/SongListSync.h"

#include <QList>
#include <QString>

#include <functional>
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

// The path list build and list sync share. Each step reports what stops
// it; the command then ends with the status it names.
// Whether a song list may be written at `path` (ExitUsage when not).
[[nodiscard]] bool songListTargetOrReport(const QString &path, Console &console);
// The folder's charts scanned and `make` run on them (ExitRefused when the
// folder cannot be listed or `make` fails; nothing is written then).
[[nodiscard]] std::optional<SongListSync> songListFromFolderOrReport(
    const QString &folder, Console &console, const std::function<Result<SongListSync>(const QList<ChartScan> &)> &make);
// The list written safely at `path` (ExitRefused when it cannot be).
[[nodiscard]] bool writeSongListOrReport(const SongList &list, const QString &path, Console &console);
// ExitRefused when a chart was left out of the list, ExitOk otherwise.
[[nodiscard]] int songListExitStatus(const SongListSync &made);

} // namespace ojn::cli
