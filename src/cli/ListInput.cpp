#include "cli/ListInput.h"

#include "folderchecks/ChartBatchCheck.h"

namespace ojn::cli {

std::optional<QList<ChartScan>> scanFolderOrReport(const QString &folder, Console &console)
{
    const FolderListing listing = listFolder(folder);
    if (!listing.error.isEmpty()) {
        console.error(listing.error);
        return std::nullopt;
    }
    QList<ChartScan> charts = checkChartFiles(listing.chartPaths, CheckDepth::Header);
    for (const ChartScan &chart : std::as_const(charts)) {
        if (!chart.header) {
            QString reason = chart.unreadableReason();
            if (!reason.endsWith(QLatin1Char('.')))
                reason += QLatin1Char('.');
            console.fileError(chart.path, reason + QStringLiteral(" The chart is left out."));
        }
    }
    return charts;
}

std::optional<SongList> readSongListOrReport(const QString &path, Console &console)
{
    Result<SongList> read = readSongListFile(path);
    if (!read.ok()) {
        console.error(read.error());
        return std::nullopt;
    }
    return std::move(read).value();
}

bool songListTargetOrReport(const QString &path, Console &console)
{
    if (const Result<> target = checkSongListTarget(path); !target.ok()) {
        console.error(target.error());
        return false;
    }
    return true;
}

std::optional<SongListSync> songListFromFolderOrReport(const QString &folder, Console &console,
                                                       const std::function<Result<SongListSync>(const QList<ChartScan> &)> &make)
{
    const std::optional<QList<ChartScan>> charts = scanFolderOrReport(folder, console);
    if (!charts)
        return std::nullopt;
    Result<SongListSync> made = make(*charts);
    if (!made.ok()) {
        console.error(made.error() + QStringLiteral(" Nothing was written."));
        return std::nullopt;
    }
    return std::move(made).value();
}

bool writeSongListOrReport(const SongList &list, const QString &path, Console &console)
{
    if (const Result<> written = writeSongListFile(list, path); !written.ok()) {
        console.fileError(path, written.error());
        return false;
    }
    return true;
}

int songListExitStatus(const SongListSync &made)
{
    return made.skipped.isEmpty() ? ExitOk : ExitRefused;
}

} // namespace ojn::cli
