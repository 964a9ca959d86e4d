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
// again; the step its changes make.
HistoryStep editAll(FolderWork &work, const QStringList &paths, int level, const TextCodec &codec)
{
    FieldEdits edits;
    edits[HeaderField::LevelHx] = QString::number(level);
    edits[HeaderField::Genre] = QStringLiteral("Jazz");
    HistoryStep step{QStringLiteral("Edit Selected"), {}};
    QEventLoop loop;
    const auto batches = QObject::connect(&work, &FolderWork::chartsEdited, [&](const QList<ChartEditResult> &results) {
        for (const ChartEditResult &result : results) {
            if (!result.saved.ok() || !result.change)
                fail(result.saved.error());
            step.changes << *result.change;
        }
    });
    const auto done = QObject::connect(&work, &FolderWork::editsFinished, &loop, &QEventLoop::quit);
    work.startEdits(paths, edits, codec, QLocale::c());
    loop.exec();
    QObject::disconnect(batches);
    QObject::disconnect(done);
    return step;
}

// Undo as the window runs it: the step replayed, each chart checked again.
void undoAll(FolderWork &work, const HistoryStep &step)
{
    QEventLoop loop;
    ReplayOutcome outcome;
    const auto done = QObject::connect(&work, &FolderWork::writeFinished, &loop, &QEventLoop::quit);
    work.startTask([&](const ScanControl &control) {
        outcome = replayStep(step, FileChange::Direction::Undo, control.cancel, control.progress);
        QByteArray buffer;
        for (const QString &path : std::as_const(outcome.written))
            (void)checkChartFile(path, buffer);
        return Result<>::success();
    });
    loop.exec();
    QObject::disconnect(done);
    if (outcome.written.size() != step.changes.size())
        fail(QStringLiteral("the undo put back %1 charts: %2").arg(outcome.written.size()).arg(outcome.failed.value(0)));
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
        HistoryStep step;
        const double edited = secondsOf([&] { step = editAll(work, paths, 40 + run, codec); });
        const double undone = secondsOf([&] { undoAll(work, step); });
        FileHistory history;
        history.push(step);
        perChart = double(history.memoryUsed()) / ChartCount;
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
