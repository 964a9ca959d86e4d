#include "cli/ChartInput.h"
#include "cli/Command.h"

#include "folderchecks/ChartBatchCheck.h"
#include "headercsv/HeaderCsv.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace ojn::cli {
namespace {

// The charts the paths name, in order: a folder's as `check` lists them,
// each chart once, since an import refuses a chart named twice. A path
// that is no chart nor folder is reported and left out.
QStringList chartPathsOf(const QStringList &paths, Console &console, bool &leftOut)
{
    QStringList charts;
    QSet<QString> seen;
    const auto add = [&](const QString &path) {
        // One folder lists each chart once; only several paths can repeat one.
        if (paths.size() == 1) {
            charts << path;
            return;
        }
        const QString key = QFileInfo(path).canonicalFilePath();
        if (!seen.contains(key)) {
            seen.insert(key);
            charts << path;
        }
    };
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            const FolderListing listing = listFolder(path);
            if (!listing.error.isEmpty()) {
                console.fileError(path, listing.error);
                leftOut = true;
            }
            for (const QString &chart : listing.chartPaths)
                add(chart);
        } else if (const QString fault = notAChartFileReason(path); !fault.isEmpty()) {
            console.fileError(path, fault);
            leftOut = true;
        } else {
            add(path);
        }
    }
    return charts;
}

struct ExportOptions {
    QStringList paths;
    std::optional<QString> outputPath; // standard output when none
};

Result<ExportOptions> parseExportOptions(const CommandArguments &arguments)
{
    return ExportOptions{arguments.paths, arguments.value(QStringLiteral("output"))};
}

int runExport(const ExportOptions &options, Console &console)
{
    const std::optional<QString> &output = options.outputPath;
    if (output) {
        if (const Result<> target = checkCsvTarget(*output); !target.ok()) {
            console.error(target.error());
            return ExitUsage;
        }
    }
    bool leftOut = false;
    const QStringList paths = chartPathsOf(options.paths, console, leftOut);
    const QList<ChartScan> scans = checkChartFiles(paths, CheckDepth::Header);
    const QString folder = output ? QFileInfo(*output).absolutePath() : QDir::currentPath();
    const HeaderCsvExport csv = exportHeaderCsv(scans, folder, console.codec);
    for (const ChartScan &chart : csv.leftOut)
        console.fileError(chart.path, chart.unreadableReason() + QStringLiteral(" It was left out."));
    leftOut = leftOut || !csv.leftOut.isEmpty();

    if (!output) {
        // Through the stream, which writes UTF-8 (a Windows console gets
        // the text instead), the byte order mark included.
        console.out << QString::fromUtf8(csv.bytes);
        console.out.flush();
        return leftOut ? ExitRefused : ExitOk;
    }
    const Result<> written = writeHeaderCsvFile(csv, *output);
    if (!written.ok()) {
        console.fileError(*output, written.error());
        return ExitRefused;
    }
    console.out << QStringLiteral("Wrote %1: %2 charts.\n").arg(QDir::toNativeSeparators(*output)).arg(csv.rows);
    console.out.flush();
    return leftOut ? ExitRefused : ExitOk;
}

} // namespace

CommandSpec exportCommand()
{
    return {QString(), QStringLiteral("export"), {valueOption(QStringLiteral("output"))},
            {1, -1, QStringLiteral("no chart or folder given.")}, parsedInto(parseExportOptions, runExport)};
}

} // namespace ojn::cli
