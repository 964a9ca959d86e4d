#include "cli/ChartInput.h"
#include "cli/CheckFormat.h"
#include "cli/Command.h"
#include "folderchecks/ChartBatchCheck.h"
#include "songlist/SongList.h"
#include "songlist/SongListComparison.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace ojn::cli {
namespace {

struct CheckOptions {
    QStringList paths; // charts and folders
    OutputForm form = OutputForm::Text;
    std::optional<QString> listPath; // the song list to compare with the charts
};

Result<CheckOptions> parseCheckOptions(const CommandArguments &arguments)
{
    return CheckOptions{arguments.paths, outputFormOf(arguments.options), arguments.value(QStringLiteral("list"))};
}


void addChart(CheckReport &report, const ChartScan &chart, const Findings &folderFindings)
{
    for (const Findings *findings : {&chart.findings, &folderFindings}) {
        for (const Finding &finding : *findings)
            report.lines.append({chart.path, finding.isProblem(), findingTypeKey(finding.type), finding.text});
    }
    report.charts.append(chart);
}

void checkWholeFolder(const QString &folder, const TextCodec &codec, CheckReport &report)
{
    const MusicFolderCheck check = checkMusicFolder(folder, CheckDepth::NoteSections, codec);
    if (!check.listing.error.isEmpty()) {
        report.lines.append({folder, true, findingTypeKey(FindingType::Unreadable), check.listing.error});
        return;
    }
    report.wholeFolder = true;
    for (qsizetype i = 0; i < check.charts.size(); ++i)
        addChart(report, check.charts[i], check.folderFindings[i]);
}

// Charts named one by one are checked with the others of their folder
// that were named too, and their OJMs are looked for in that folder.
void checkCharts(const QString &folder, const QStringList &paths, const TextCodec &codec, CheckReport &report)
{
    const FolderListing listing = listFolder(folder);
    if (!listing.error.isEmpty()) {
        report.lines.append({folder, false, QStringLiteral("folder-unlisted"),
                             listing.error + QStringLiteral(" Its charts' OJM files were not looked for.")});
    }
    const QList<ChartScan> charts = checkChartFiles(paths, CheckDepth::NoteSections);
    const QList<Findings> folderFindings = checkFolder(charts, listing, codec);
    for (qsizetype i = 0; i < charts.size(); ++i)
        addChart(report, charts[i], folderFindings[i]);
}

// What one folder contributes: all its charts, or those named; or a path
// that is no chart nor folder, with why.
struct FolderUnit {
    QString folder;
    bool whole = false;
    QStringList charts;
    QString fault;
};

// The arguments in order: folders, and charts grouped by their folder.
// A path given twice, or a chart inside a folder also given, is checked
// once, so it is not taken for a second chart with its song ID.
void checkPaths(const QStringList &paths, const TextCodec &codec, CheckReport &report)
{
    QSet<QString> wholeFolders, seenCharts;
    for (const QString &path : paths) {
        if (const QFileInfo info(path); info.isDir())
            wholeFolders.insert(info.canonicalFilePath());
    }
    QList<FolderUnit> units;
    QHash<QString, qsizetype> unitOfFolder; // by canonical path
    for (const QString &path : paths) {
        const QFileInfo info(path);
        const bool isDir = info.isDir();
        if (const QString fault = isDir ? QString() : notAChartFileReason(path); !fault.isEmpty()) {
            units.append({path, false, {}, fault});
            continue;
        }
        const QString folder = isDir ? info.canonicalFilePath() : info.canonicalPath();
        if (!isDir && (wholeFolders.contains(folder) || seenCharts.contains(info.canonicalFilePath())))
            continue;
        if (!isDir)
            seenCharts.insert(info.canonicalFilePath());
        auto unit = unitOfFolder.constFind(folder);
        if (unit == unitOfFolder.cend()) {
            unit = unitOfFolder.insert(folder, units.size());
            units.append({isDir ? path : info.path(), isDir, {}, {}});
        }
        if (!isDir)
            units[*unit].charts.append(path);
    }
    for (const FolderUnit &unit : std::as_const(units)) {
        if (!unit.fault.isEmpty())
            report.lines.append({unit.folder, true, findingTypeKey(FindingType::Unreadable), unit.fault});
        else if (unit.whole)
            checkWholeFolder(unit.folder, codec, report);
        else
            checkCharts(unit.folder, unit.charts, codec, report);
    }
}

QString listLineText(ListStatus status, qint32 song, qsizetype entry)
{
    switch (status) {
    case ListStatus::Stale:
        return QStringLiteral("The song list's entry %1 for song ID %2 differs from this chart's header, so the game "
                              "shows old values; `ojn-header list sync` refreshes it.").arg(entry + 1).arg(song);
    case ListStatus::NotListed:
        return QStringLiteral("Song ID %1 is not in the song list, so the game does not show this chart.").arg(song);
    case ListStatus::ListedTwice:
        return QStringLiteral("Song ID %1 is in the song list more than once (first as entry %2).").arg(song).arg(entry + 1);
    case ListStatus::Missing:
        return QStringLiteral("Entry %1 lists song ID %2, but no chart in the folder holds it; the game shows it as missing.")
            .arg(entry + 1).arg(song);
    default:
        return QString();
    }
}


QString listLineType(ListStatus status)
{
    return QStringLiteral("list-") + statusKey(status);
}

// Compares the song list with the charts checked; how many songs stand
// each way, or nothing when the list cannot be read.
ListCounts compareWithList(const QString &listPath, CheckReport &report)
{
    const Result<SongList> read = readSongListFile(listPath);
    if (!read.ok()) {
        report.lines.append({listPath, true, QStringLiteral("song-list"), read.error()});
        return {};
    }
    const SongListComparison comparison = compareSongList(read.value(), report.charts);
    for (qsizetype i = 0; i < report.charts.size(); ++i) {
        const ChartListState &state = comparison.charts[i];
        if (state.status == ListStatus::Current || state.status == ListStatus::Unreadable)
            continue;
        const ChartScan &chart = report.charts[i];
        report.lines.append({chart.path, true, listLineType(state.status), listLineText(state.status, chart.header->songId, state.entry)});
    }
    ListCounts counts;
    for (const ListStatus status : {ListStatus::Current, ListStatus::Stale, ListStatus::NotListed, ListStatus::ListedTwice})
        counts.append({status, comparison.count(status)});
    // Single charts say nothing of the songs that were not named.
    if (report.wholeFolder) {
        for (const qsizetype entry : comparison.missingEntries) {
            report.lines.append({listPath, true, listLineType(ListStatus::Missing),
                                 listLineText(ListStatus::Missing, songIdOfEntry(read->entries[entry]), entry)});
        }
        counts.append({ListStatus::Missing, comparison.count(ListStatus::Missing)});
    }
    return counts;
}

// Checks the charts and folders given, each chart to its note sections
// and each folder as a whole (with --list, against the song list too),
// and prints one line per finding, then a summary. Returns ExitRefused
// when a problem is found; notes alone leave it ExitOk.
int runCheck(const CheckOptions &options, Console &console)
{
    CheckFindings found;
    checkPaths(options.paths, console.codec, found.report);
    found.listPath = options.listPath;
    if (options.listPath)
        found.listCounts = compareWithList(*options.listPath, found.report);
    RecordPrinter<CheckFindings>(checkFormat(), options.form, console).print(found);
    const QList<CheckLine> &lines = found.report.lines;
    return std::any_of(lines.cbegin(), lines.cend(), [](const CheckLine &l) { return l.problem; }) ? ExitRefused : ExitOk;
}

} // namespace

CommandSpec checkCommand()
{
    return {QString(), QStringLiteral("check"), {switchOption(QStringLiteral("json")), valueOption(QStringLiteral("list"))},
            {1, -1, QStringLiteral("no chart or folder given.")}, parsedInto(parseCheckOptions, runCheck)};
}

} // namespace ojn::cli
