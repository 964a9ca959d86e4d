// The folder commands: a plan made and shown, run on Apply, the editor
// told of each chart it may have open, the folder read again.
#include "musicfolderwindow/FolderPlanCommands.h"

#include "musicfolderwindow/MessageLines.h"
#include "musicfolderwindow/MusicFolderWindow.h"
#include "musicfolderwindow/PlanDialogs.h"
#include "musicfolderwindow/SongListCommands.h"
#include "folderplans/AddPlan.h"
#include "folderplans/PlanExecutor.h"
#include "folderplans/RenamePlan.h"
#include "folderplans/RenumberPlan.h"
#include "folderplans/ResolveDuplicatesPlan.h"
#include "model/SongId.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QSet>

#include <optional>

namespace ojn {
namespace {

const QString ChartFilter = QStringLiteral("O2Jam Note File|*.ojn|All Files|*");

// A run's outcome and the steps it did, filled on the task thread.
struct PlanOutcome {
    PlanRun run;
    QList<PlanStep> done;
    QList<FileChange> changes; // what undoes it
};

} // namespace

FolderPlanCommands::FolderPlanCommands(MusicFolderWindow &window, SongListCommands &songList, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_songList(songList)
{
}

PlanSettings FolderPlanCommands::planSettings() const
{
    const FolderCatalogue &catalogue = m_window.catalogue();
    PlanSettings settings;
    settings.codec = m_window.codec();
    // The list the window compares with is kept in step, as the command
    // line's --list keeps it; an unreadable one is left alone.
    if (!catalogue.songListPath().isEmpty() && catalogue.songListError().isEmpty() && catalogue.songList())
        settings.listPath = catalogue.songListPath();
    return settings;
}

void FolderPlanCommands::addCharts()
{
    // A pack usually lies beside the game, so the game's folder comes first.
    const QString start = m_chartsAddedFrom.isEmpty() ? QFileInfo(m_window.folder()).absolutePath() : m_chartsAddedFrom;
    addChartFiles(m_window.dialogs().askFileNames(&m_window, start, ChartFilter));
}

void FolderPlanCommands::addChartFiles(const QStringList &paths)
{
    if (paths.isEmpty() || m_window.commandRunning())
        return;
    m_chartsAddedFrom = QFileInfo(paths.first()).absolutePath();
    AddSettings settings;
    static_cast<PlanSettings &>(settings) = planSettings();
    planInBackground(HistoryStep::Kind::AddCharts, QStringLiteral("Added"),
                     [folder = m_window.folder(), paths, settings] { return planAdd(folder, paths, settings); });
}

void FolderPlanCommands::changeSongId()
{
    const QList<int> rows = m_window.selectedChartRows();
    if (rows.size() != 1 || m_window.commandRunning())
        return;
    const ChartScan chart = *m_window.catalogue().chartAt(rows.first());
    if (!chart.header)
        return;
    const PlanSettings settings = planSettings();
    // The free ID needs the whole folder read, so it is found off this thread too.
    m_window.runTask(
        QStringLiteral("Looking for a free song ID"), 0,
        [folder = m_window.folder(), settings](const ScanControl &) {
            return lowestFreeSongId(folder, FirstOfficialSongId, settings);
        },
        [this, chart, settings](const std::optional<qint64> &offered) {
            SongIdDialog dialog(QFileInfo(chart.path).fileName(), chart.header->songId, offered, &m_window);
            m_window.dialogs().showModal(dialog);
            if (dialog.result() != QDialog::Accepted || !dialog.IdBox->hasAcceptableInput())
                return;
            planInBackground(HistoryStep::Kind::ChangeSongId, QStringLiteral("Renumbered"),
                             [path = chart.path, id = dialog.songId(), settings] { return planRenumber(path, id, settings); });
        });
}

void FolderPlanCommands::nameFilesForIds()
{
    planInBackground(HistoryStep::Kind::NameFilesForIds, QStringLiteral("Renamed"),
                     [folder = m_window.folder(), only = m_window.selectedChartPaths(), settings = planSettings()] {
                         return planRename(folder, settings, only);
                     });
}

void FolderPlanCommands::resolveDuplicateIds()
{
    const FolderCatalogue &catalogue = m_window.catalogue();
    const QStringList group = duplicateIdGroup(catalogue.charts(), m_window.selectedChartPaths());
    if (group.isEmpty())
        return;
    QStringList shown;
    for (const QString &path : group) {
        const ChartScan &chart = *catalogue.chartAt(catalogue.rowOfChart(path));
        shown << QStringLiteral("%1 \u2014 %2").arg(QFileInfo(path).fileName(), m_window.codec().decode(chart.header->title));
    }
    KeeperDialog dialog(catalogue.chartAt(catalogue.rowOfChart(group.first()))->header->songId, group, shown, &m_window);
    m_window.dialogs().showModal(dialog);
    if (dialog.result() != QDialog::Accepted || dialog.keeper().isEmpty())
        return;
    planInBackground(HistoryStep::Kind::ResolveDuplicateIds, QStringLiteral("Renumbered"),
                     [group, keeper = dialog.keeper(), settings = planSettings()] {
                         return planResolveDuplicateIds(group, keeper, settings);
                     });
}

void FolderPlanCommands::planInBackground(HistoryStep::Kind kind, const QString &doneWord, std::function<Result<FolderPlan>()> make)
{
    if (m_window.commandRunning())
        return;
    m_window.runTask(
        QStringLiteral("Reading the folder for the plan"), 0, [make = std::move(make)](const ScanControl &) { return make(); },
        [this, kind, doneWord](const Result<FolderPlan> &planned) { previewPlan(kind, doneWord, planned); });
}

void FolderPlanCommands::previewPlan(HistoryStep::Kind kind, const QString &doneWord, const Result<FolderPlan> &planned)
{
    if (!planned.ok()) {
        m_window.showError(planned.error() + QStringLiteral(" Nothing was changed."));
        return;
    }
    const QString title = stepKindName(kind);
    PlanPreviewDialog dialog(planned.value(), title, &m_window);
    m_window.dialogs().showModal(dialog);
    if (dialog.result() != QDialog::Accepted || planned->empty())
        return;
    const FolderPlan plan = planned.value();
    QStringList changing;
    for (const PlanStep &step : plan.steps) {
        if (step.kind == StepKind::Rename || step.kind == StepKind::Remove || (step.kind == StepKind::Write && step.inPlace))
            changing << step.from;
    }
    emit chartsAboutToChange(changing);
    m_window.runTask(
        title + QStringLiteral(": %v of %m charts"), plan.unitCount(),
        [plan](const ScanControl &control) {
            PlanOutcome outcome;
            PlanControl planControl;
            planControl.cancel = control.cancel;
            planControl.progress = [&control](int done, int total) {
                if (control.progress)
                    control.progress(done, total);
            };
            planControl.stepDone = [&outcome](const PlanStep &step, const QString &) { outcome.done << step; };
            planControl.changes = &outcome.changes;
            outcome.run = executeFolderPlan(plan, planControl);
            return outcome;
        },
        [this, kind, plan, doneWord](PlanOutcome outcome) {
            finishPlan(kind, plan, outcome.run, outcome.done, std::move(outcome.changes), doneWord);
        });
}

void FolderPlanCommands::finishPlan(HistoryStep::Kind kind, const FolderPlan &plan, const PlanRun &run, const QList<PlanStep> &done,
                                    QList<FileChange> changes, const QString &doneWord)
{
    m_window.history().record(kind, run.chartFilesDone, std::move(changes), planSettings().listPath.value_or(QString()));
    // The editor follows each chart it may have open: a rewrite is a save,
    // a new name whose old one went is a move. A chart that failed was
    // taken back, so its steps count for nothing.
    QSet<QString> gone;
    for (const PlanStep &step : done) {
        if (!run.failedUnits.contains(step.unit) && (step.kind == StepKind::Remove || step.kind == StepKind::Rename))
            gone.insert(step.from);
    }
    for (const PlanStep &step : done) {
        if (run.failedUnits.contains(step.unit) || !step.to.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive))
            continue;
        if (step.kind == StepKind::Write && step.inPlace)
            emit chartSaved(step.to);
        else if (step.kind != StepKind::Remove && gone.contains(step.from))
            emit chartMoved(step.from, step.to);
    }

    QString text = QStringLiteral("%1 %2 of %3 %4.").arg(doneWord).arg(run.chartFilesDone).arg(plan.chartFiles())
                       .arg(QLatin1String(plan.chartFiles() == 1 ? "chart" : "charts"));
    if (const qsizetype skipped = plan.skipped.size() - run.skippedFailed; skipped > 0)
        text += QStringLiteral(" %1 %2 done already.").arg(skipped).arg(QLatin1String(skipped == 1 ? "was" : "were"));
    if (run.cancelled)
        text += QStringLiteral(" Cancelled: the charts after those were left as they are.");
    QStringList problems;
    for (const PlanRefusal &failure : run.failed)
        problems << QStringLiteral("%1: %2").arg(QFileInfo(failure.path).fileName(), failure.reason);
    for (const PlanRefusal &refusal : plan.refused)
        problems << QStringLiteral("%1: refused: %2").arg(QFileInfo(refusal.path).fileName(), refusal.reason);
    if (problems.isEmpty())
        m_window.showInfo(text);
    else if (run.takenBack.isEmpty())
        m_window.showError(QStringLiteral("%1 These are as they were:\n\n%2").arg(text, namedLines(problems)));
    else
        m_window.showError(QStringLiteral("%1 These are as they were:\n\n%2\n\nTaken back:\n%3")
                               .arg(text, namedLines(problems), namedLines(run.takenBack)));

    // Names came and went: the rows are read again, then the list's
    // status is known and an update offered.
    connect(&m_window, &MusicFolderWindow::headerScanFinished, this, [this] { m_songList.offerUpdate(); },
            Qt::SingleShotConnection);
    m_window.rescan();
}

} // namespace ojn
