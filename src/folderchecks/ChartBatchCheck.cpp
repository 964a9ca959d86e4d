#include "folderchecks/ChartBatchCheck.h"

#include "model/ChartFileCheck.h"

namespace ojn {

QList<ChartScan> checkChartFiles(const QStringList &paths, CheckDepth depth, const ScanControl &control)
{
    QList<ChartScan> scans;
    scans.reserve(paths.size());
    QByteArray buffer; // one note-data buffer for the whole batch
    for (const QString &path : paths) {
        if (control.cancelled())
            break;
        scans.append(depth == CheckDepth::Header ? scanChartFile(path) : checkChartFile(path, buffer));
        if (control.progress)
            control.progress(scans.size(), paths.size());
    }
    return scans;
}

QList<ChartScan> readChartHeaders(const QStringList &paths)
{
    return checkChartFiles(paths, CheckDepth::Header);
}

MusicFolderCheck checkMusicFolder(const QString &folder, CheckDepth depth, const TextCodec &codec, const ScanControl &control)
{
    MusicFolderCheck check;
    check.listing = listFolder(folder);
    check.charts = checkChartFiles(check.listing.chartPaths, depth, control);
    check.cancelled = check.charts.size() < check.listing.chartPaths.size();
    check.folderFindings = checkFolder(check.charts, check.listing, codec);
    return check;
}

} // namespace ojn
