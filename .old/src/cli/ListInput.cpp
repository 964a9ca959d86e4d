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

} // namespace ojn::cli
