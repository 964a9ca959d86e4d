#include "UndoBench.h"

#include "BenchCharts.h"
#include "Report.h"
#include "RawIo.h"

#include "filehistory/FileHistory.h"
#include "folderchecks/FolderWork.h"
#include "model/ChartFileCheck.h"
#include "text/CodePage.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace ojn::bench {
namespace {

constexpr int ChartCount = 10000;
constexpr int Runs = 2;

// Edit Selected as the window runs it: every chart saved and checked
// again; the changes its step holds.
QList<FileChange> editAll(FolderWork &work, const QStringList &paths, int level, const TextCodec &codec)
{
    FieldEdits edits;
    edits[HeaderField::LevelHx] = QString::number(level);
    edits[HeaderField::Genre] = QStringLiteral("Jazz");
    QList<FileChange> changes;
    QEventLoop loop;
    work.startEdits(
        paths, edits, codec, QLocale::c(),
        [&](const QList<ChartEditResult> &results, qsizetype, qsizetype) {
            for (const ChartEditResult &result : results) {
                if (!result.saved.ok() || !result.change)
                    fail(result.saved.error());
                changes << *result.change;
            }
        },
        [&](bool) { loop.quit(); });
    loop.exec();
    return changes;
}

// Undo as the window runs it: the step replayed by the history, each
// chart then checked again.
void undoAll(FolderWork &work, FileHistory &history)
{
    QEventLoop loop;
    ReplayReport report;
    const auto done = QObject::connect(&history, &FileHistory::replayed, [&](const ReplayReport &replayed) {
        report = replayed;
        work.startTask(
            [&](const ScanControl &) {
                QByteArray buffer;
                for (const QString &path : std::as_const(report.chartsSaved))
                    (void)checkChartFile(path, buffer);
            },
            [&] { loop.quit(); });
    });
    if (!history.undo())
        fail(QStringLiteral("nothing to undo"));
    loop.exec();
    QObject::disconnect(done);
    if (report.filesWritten != history.redoStep()->changes.size())
        fail(QStringLiteral("the undo put back %1 charts: %2").arg(report.filesWritten).arg(report.failed.value(0)));
}

} // namespace

void benchUndo(const QString &folder)
{
    QDir music(folder + QStringLiteral("/undo"));
    music.removeRecursively();
    if (!music.mkpath(QStringLiteral(".")))
        fail(QStringLiteral("cannot make ") + music.path());
    const QByteArray cover(4096, char(0x5a)), thumbnail(1024, char(0x42));
    QStringList paths;
    for (int i = 0; i < ChartCount; ++i) {
        paths << music.filePath(QStringLiteral("o2ma%1.ojn").arg(1000 + i));
        if (writeChartFile(paths.last(), 4000, cover, thumbnail) < 0)
            fail(QStringLiteral("cannot write ") + paths.last());
    }
    const TextCodec codec(systemAnsiCodePage());
    FolderWork work;
    std::vector<double> edits, undos;
    double perChart = 0;
    // The charts were just written, so the page cache is warm already:
    // each save's sync to disk is what both sides spend most time on.
    for (int run = 0; run < Runs; ++run) {
        QList<FileChange> changes;
        const double edited = secondsOf([&] { changes = editAll(work, paths, 40 + run, codec); });
        FileHistory history;
        history.record(HistoryStep::Kind::EditSelected, ChartCount, std::move(changes));
        perChart = double(history.memoryUsed()) / ChartCount;
        const double undone = secondsOf([&] { undoAll(work, history); });
        edits.push_back(edited);
        undos.push_back(undone);
    }
    std::printf("  %d charts of %.0f KiB, medians of %d runs\n", ChartCount, double(QFileInfo(paths.first()).size()) / 1024, Runs);
    printRatio(QStringLiteral("undo of Edit Selected vs the edit"), median(undos), median(edits), 1.2);
    std::printf("  history memory for the step            %8.0f bytes a chart (target <= 400) %s\n", perChart,
                perChart <= 400 ? "met" : "MISSED");
    std::fflush(stdout);
    music.removeRecursively();
}

} // namespace ojn::bench
