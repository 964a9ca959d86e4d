#include "folderplans/PlanExecutor.h"

#include "folderplans/ChartRewrite.h"
#include "folderplans/PlanRecorder.h"
#include "fileio/DeviceIo.h"
#include "fileio/NewFileNames.h"
#include "fileio/SafeFileWriter.h"
#include "folderchecks/FolderScan.h"
#include "folderchecks/MusicFolder.h"
#include "songlist/SongListSync.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace ojn {
namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

Result<> taken(const QString &path)
{
    return Result<>::failure(QStringLiteral("%1 is already there and holds other bytes; nothing was replaced.").arg(shown(path)));
}

class Executor {
public:
    explicit Executor(const FolderPlan &plan) : m_plan(plan), m_codec(plan.codePage) {}

    // Whether the step is done, or why not. `made` is set when it created
    // a new name that taking the chart back must remove.
    Result<> run(const PlanStep &step, bool &made)
    {
        made = false;
        switch (step.kind) {
        case StepKind::Copy:
        case StepKind::Link:
            if (QFileInfo::exists(step.to))
                return sameBytes(step.from, step.to) ? Result<>::success() : taken(step.to);
            made = step.kind == StepKind::Copy;
            return step.kind == StepKind::Copy ? copyToNewFile(step.from, step.to) : linkOrCopyToNewFile(step.from, step.to);
        case StepKind::Write: {
            const Result<QByteArray> bytes = chartWithSongId(step.from, step.songId, m_codec);
            if (!bytes.ok())
                return Result<>::failure(bytes.error());
            if (fileHolds(step.to, bytes.value()))
                return Result<>::success();
            const ContentWriter content = [&bytes](QIODevice &device) { return writeBytes(device, bytes.value(), QStringLiteral("the chart")); };
            if (step.inPlace)
                return writeFileSafely(step.to, content);
            if (QFileInfo::exists(step.to))
                return taken(step.to);
            made = true;
            return createNewFile(step.to, content);
        }
        case StepKind::Rename: {
            // Tried first: a move that refuses a taken name needs no look beforehand.
            const Result<> moved = moveWithoutReplacing(step.from, step.to);
            if (moved.ok() || !QFileInfo::exists(step.to))
                return moved;
            if (!QFileInfo::exists(step.from))
                return Result<>::success(); // moved by an earlier run
            if (!sameBytes(step.from, step.to))
                return taken(step.to);
            // An earlier run's copy or second name is whole; the old name goes.
            syncFolderOf(step.to);
            return remove(step.from);
        }
        case StepKind::Remove:
            if (!QFileInfo::exists(step.from))
                return Result<>::success();
            if (!QFileInfo::exists(step.to))
                return Result<>::failure(QStringLiteral("%1 was kept: %2, which would hold it, is not there.").arg(shown(step.from), shown(step.to)));
            // The new names are on disk before any old one goes.
            syncFolderOf(step.to);
            return remove(step.from);
        case StepKind::ListUpdate:
            return updateList(step);
        }
        return Result<>::success();
    }

private:
    static Result<> remove(const QString &path)
    {
        QFile file(path);
        if (!file.remove())
            return Result<>::failure(QStringLiteral("Could not remove %1: %2").arg(shown(path), file.errorString()));
        return Result<>::success();
    }

    static Result<> updateList(const PlanStep &step)
    {
        const Result<SongList> read = readSongListFile(step.to);
        if (!read.ok())
            return Failure{read.error()};
        SongList list;
        if (step.list) {
            list = *step.list;
        } else {
            const QList<ChartScan> charts = checkChartFiles(listMusicFolder(step.from).chartPaths, CheckDepth::Header);
            const Result<SongListSync> sync = planSongListSync(read.value(), charts);
            if (!sync.ok())
                return Failure{sync.error()};
            list = sync->list;
        }
        if (list.entries == read->entries && list.extraSections == read->extraSections)
            return Result<>::success();
        return writeSongListFile(list, step.to);
    }

    const FolderPlan &m_plan;
    TextCodec m_codec;
};

} // namespace

PlanRun executeFolderPlan(const FolderPlan &plan, const PlanControl &control)
{
    PlanRun result;
    Executor executor(plan);
    PlanRecorder recorder;
    QSet<int> begun, failed;
    QHash<int, QStringList> made; // per chart, the new names this run made
    QSet<int> moved; // charts with an old name moved or removed: past taking back
    QSet<QString> folders;
    QHash<int, qsizetype> lastStepOf;
    for (qsizetype i = 0; i < plan.steps.size(); ++i)
        lastStepOf[plan.steps[i].chart] = i;
    for (qsizetype i = 0; i < plan.steps.size(); ++i) {
        const PlanStep &step = plan.steps[i];
        if (failed.contains(step.chart))
            continue;
        if (step.chart >= 0 && !begun.contains(step.chart)) {
            if (control.cancel && control.cancel->load()) {
                result.cancelled = true;
                continue;
            }
            begun.insert(step.chart);
        }
        bool madeName = false;
        if (control.changes)
            recorder.before(step);
        const Result<> done = executor.run(step, madeName);
        if (!done.ok()) {
            result.failed << PlanRefusal{step.chart >= 0 ? step.from : step.to, done.error()};
            failed.insert(step.chart);
            result.failedCharts << step.chart;
            // What this run made for the chart goes; its old files were never touched.
            if (!moved.contains(step.chart)) {
                for (const QString &path : made.value(step.chart))
                    QFile::remove(path);
                recorder.takenBack(step.chart, made.value(step.chart));
            }
            continue;
        }
        if (control.changes)
            recorder.after(step);
        if (madeName)
            made[step.chart] << step.to;
        if (step.kind == StepKind::Rename || step.kind == StepKind::Remove)
            moved.insert(step.chart);
        if (!step.to.isEmpty())
            folders.insert(QFileInfo(step.to).absolutePath());
        ++result.stepsDone;
        if (control.stepDone)
            control.stepDone(step, describeStep(step, plan.folder, true));
        if (control.afterStep && !control.afterStep(i)) {
            result.stopped = true;
            if (control.changes)
                *control.changes = recorder.changes();
            return result;
        }
        const bool lastOfChart = step.chart >= 0 && lastStepOf.value(step.chart) == i;
        if (lastOfChart) {
            ++result.chartsDone;
            if (control.progress)
                control.progress(result.chartsDone, plan.charts);
        }
    }
    if (control.changes)
        *control.changes = recorder.changes();
    for (const QString &folder : std::as_const(folders))
        syncFolderOf(folder + QStringLiteral("/."));
    // What killed runs left half-made is of no use once the names are
    // whole; a run again may give a chart another ID than the killed one.
    for (const QString &folder : std::as_const(folders)) {
        removeLeftTemporaries(folder, [](const QString &name) {
            return name.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive) || name.endsWith(QLatin1String(".ojm"), Qt::CaseInsensitive);
        });
    }
    return result;
}

} // namespace ojn
