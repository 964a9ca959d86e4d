#include "folderplans/PlanExecutor.h"

#include "folderplans/ChartRewrite.h"
#include "folderplans/PlanRecorder.h"
#include "fileio/FileContent.h"
#include "fileio/NewFileNames.h"
#include "fileio/SafeFileWriter.h"
#include "folderchecks/ChartBatchCheck.h"
#include "songlist/SongList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <functional>
#include <optional>

namespace ojn {
namespace {

Result<> taken(const QString &path)
{
    return Result<>::failure(QStringLiteral("%1 is already there and holds other bytes; nothing was replaced.").arg(shownPath(path)));
}

// The entry `entry` in `list`: as it stands, in place of `replacing`'s
// entries, or appended.
void giveEntry(SongList &list, const QByteArray &entry, std::optional<qint32> replacing)
{
    if (list.entries.contains(entry))
        return;
    bool replaced = false;
    for (QByteArray &old : list.entries) {
        if (replacing && songIdOfEntry(old) == *replacing) {
            old = entry;
            replaced = true;
        }
    }
    if (!replaced)
        list.entries.append(entry);
}

class Executor {
public:
    Executor(const FolderPlan &plan, std::function<bool(int unit)> unitDone)
        : m_plan(plan), m_codec(plan.codePage), m_unitDone(std::move(unitDone))
    {
    }

    // Whether the step is done, or why not. `made` is set when it created
    // a new name that taking the chart back must remove; `changed` is
    // cleared when it had nothing to do that an earlier run did not do.
    Result<> run(const PlanStep &step, bool &made, bool &changed)
    {
        made = false;
        changed = true;
        switch (step.kind) {
        case StepKind::Copy:
        case StepKind::Link:
            if (QFileInfo::exists(step.to))
                return sameBytes(step.from, step.to) ? Result<>::success() : taken(step.to);
            made = true;
            return step.kind == StepKind::Copy ? copyToNewFile(step.from, step.to) : linkOrCopyToNewFile(step.from, step.to);
        case StepKind::Write: {
            const Result<QByteArray> bytes = chartWithSongId(step.from, step.songId, m_codec);
            if (!bytes.ok())
                return Result<>::failure(bytes.error());
            if (fileHolds(step.to, bytes.value()))
                return Result<>::success();
            const ContentWriter content = bytesWriter(bytes.value(), QStringLiteral("the chart"));
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
                return Result<>::failure(QStringLiteral("%1 was kept: %2, which would hold it, is not there.").arg(shownPath(step.from), shownPath(step.to)));
            // The new names are on disk before any old one goes.
            syncFolderOf(step.to);
            return remove(step.from);
        case StepKind::ListUpdate:
            return updateList(step, changed);
        }
        return Result<>::success();
    }

private:
    static Result<> remove(const QString &path)
    {
        QFile file(path);
        if (!file.remove())
            return Result<>::failure(QStringLiteral("Could not remove %1: %2").arg(shownPath(path), file.errorString()));
        return Result<>::success();
    }

    // The entries of the units done, each from its chart as it is now, in
    // the list as it is now: nothing for a unit that failed or was never
    // begun.
    Result<> updateList(const PlanStep &step, bool &changed) const
    {
        changed = false;
        QStringList charts;
        QList<std::optional<qint32>> replacing;
        for (const ListEntryEdit &entry : step.entries) {
            if (entry.unit < 0 || m_unitDone(entry.unit)) {
                charts << entry.from;
                replacing << entry.replacing;
            }
        }
        if (charts.isEmpty())
            return Result<>::success();
        const Result<SongList> read = readSongListFile(step.to);
        if (!read.ok())
            return Failure{read.error()};
        SongList list = read.value();
        const QList<ChartScan> scans = checkChartFiles(charts, CheckDepth::Header);
        for (qsizetype i = 0; i < scans.size(); ++i) {
            if (!scans[i].header)
                return Result<>::failure(QStringLiteral("%1 gives no entry: %2").arg(shownPath(charts[i]), scans[i].unreadableReason()));
            giveEntry(list, scans[i].header->bytes, replacing[i]);
        }
        if (list.entries == read->entries)
            return Result<>::success();
        changed = true;
        return writeSongListFile(list, step.to);
    }

    const FolderPlan &m_plan;
    TextCodec m_codec;
    std::function<bool(int unit)> m_unitDone;
};

} // namespace

PlanRun executeFolderPlan(const FolderPlan &plan, const PlanControl &control)
{
    PlanRun result;
    QSet<int> begun, failed;
    Executor executor(plan, [&](int unit) { return begun.contains(unit) && !failed.contains(unit); });
    PlanRecorder recorder;
    QHash<int, QStringList> made; // per chart, the new names this run made
    QSet<int> moved; // charts with an old name moved or removed: past taking back
    QSet<QString> folders;
    QHash<int, qsizetype> lastStepOf;
    for (qsizetype i = 0; i < plan.steps.size(); ++i)
        lastStepOf[plan.steps[i].unit] = i;
    for (qsizetype i = 0; i < plan.steps.size(); ++i) {
        const PlanStep &step = plan.steps[i];
        if (failed.contains(step.unit))
            continue;
        if (step.unit >= 0 && !begun.contains(step.unit)) {
            if (control.cancel && control.cancel->load()) {
                result.cancelled = true;
                continue;
            }
            begun.insert(step.unit);
        }
        bool madeName = false, changed = true;
        if (control.changes)
            recorder.before(step);
        const Result<> done = executor.run(step, madeName, changed);
        if (!done.ok()) {
            failed.insert(step.unit);
            result.failedUnits << step.unit;
            const QStringList charts = plan.units.value(step.unit);
            if (charts.isEmpty())
                result.failed << PlanRefusal{step.unit >= 0 ? step.from : step.to, done.error()};
            for (const QString &chart : charts) {
                // Charts sharing an OJM stand or fall together.
                const bool own = charts.size() == 1 || chart == step.from || !charts.contains(step.from);
                result.failed << PlanRefusal{chart, own ? done.error()
                                                        : QStringLiteral("left as it is with %1, which shares its OJM: %2")
                                                              .arg(QFileInfo(step.from).fileName(), done.error())};
            }
            const QStringList again = plan.namedAgain.value(step.unit);
            for (const QString &chart : again)
                result.failed << PlanRefusal{chart, QStringLiteral("named again in this run, it was not added either: %1").arg(done.error())};
            if (step.unit >= 0)
                result.chartFilesFailed += int(std::max<qsizetype>(charts.size(), 1) + again.size());
            result.skippedFailed += int(again.size());
            // What this run made for the chart goes; its old files were never touched.
            if (!moved.contains(step.unit)) {
                QStringList removed;
                for (const QString &path : made.value(step.unit)) {
                    QFile file(path);
                    const bool gone = file.remove();
                    const QString line = describeTakenBack(path, step, plan.folder, gone ? QString() : file.errorString());
                    result.takenBack << line;
                    if (control.takenBack)
                        control.takenBack(line);
                    if (gone)
                        removed << path;
                }
                recorder.takenBack(step.unit, removed);
            }
            continue;
        }
        if (!changed)
            continue; // a song list already in step: nothing to tell
        if (control.changes)
            recorder.after(step);
        if (madeName)
            made[step.unit] << step.to;
        if (step.kind == StepKind::Rename || step.kind == StepKind::Remove)
            moved.insert(step.unit);
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
        const bool lastOfUnit = step.unit >= 0 && lastStepOf.value(step.unit) == i;
        if (lastOfUnit) {
            ++result.unitsDone;
            result.chartFilesDone += int(plan.units.value(step.unit).size());
            if (control.progress)
                control.progress(result.unitsDone, plan.unitCount());
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
