// Add Charts..., Change Song ID..., Name Files for IDs and Resolve
// Duplicate IDs: each plan is made on the saving thread, shown, and run
// there once the user agrees, chart by chart with progress and Cancel;
// then the folder is read again and the song list offered for updating.
#include "musicfolderwindow/MusicFolderWindow.h"

#include "musicfolderwindow/MessageLines.h"
#include "musicfolderwindow/PlanDialogs.h"
#include "folderplans/DuplicateIds.h"
#include "folderplans/PlanExecutor.h"
#include "folderplans/PlanSupport.h"

#include <QAction>
#include <QBoxLayout>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSet>

#include <memory>

namespace ojn {
namespace {

const QString ChartFilter = QStringLiteral("O2Jam Note File|*.ojn|All Files|*");

QStringList droppedCharts(const QMimeData *data)
{
    QStringList charts;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive))
            charts << url.toLocalFile();
    }
    return charts;
}

} // namespace

// A run's outcome and the steps it did, filled on the saving thread.
struct MusicFolderWindow::PlanOutcome {
    PlanRun run;
    QList<PlanStep> done;
    QList<FileChange> changes; // what undoes it
};

void MusicFolderWindow::buildPlanCommands(QBoxLayout *buttons)
{
    const auto command = [&](QAction *&action, QPushButton *&button, const char *name, const char *caption,
                             void (MusicFolderWindow::*slot)()) {
        action = new QAction(QString::fromLatin1(caption), this);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        // The menus give the mnemonics; a tool bar button has none.
        button = new QPushButton(action->text().remove(QLatin1Char('&')), this);
        button->setObjectName(QStringLiteral("Btn") + QLatin1String(name + 3));
        button->setAccessibleName(action->text().remove(QLatin1Char('&')).remove(QStringLiteral("...")));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::enabledChanged, button, &QPushButton::setEnabled);
        buttons->addWidget(button);
    };
    command(ActAddCharts, BtnAddCharts, "ActAddCharts", "A&dd Charts...", &MusicFolderWindow::addCharts);
    command(ActChangeSongId, BtnChangeSongId, "ActChangeSongId", "C&hange Song ID...", &MusicFolderWindow::changeSongId);
    command(ActNameFilesForIds, BtnNameFilesForIds, "ActNameFilesForIds", "&Name Files for IDs", &MusicFolderWindow::nameFilesForIds);
    command(ActResolveDuplicateIds, BtnResolveDuplicateIds, "ActResolveDuplicateIds", "Resolve Du&plicate IDs",
            &MusicFolderWindow::resolveDuplicateIds);
    setAcceptDrops(true);
}

QStringList MusicFolderWindow::selectedChartPaths() const
{
    QStringList paths;
    for (const int row : selectedChartRows())
        paths << m_charts.chartAt(row)->path;
    return paths;
}

void MusicFolderWindow::updatePlanCommands()
{
    const bool ready = !m_work.saving() && !m_folder.isEmpty() && m_listingError.isEmpty();
    const QList<int> rows = selectedChartRows();
    const ChartScan *one = rows.size() == 1 ? m_charts.chartAt(rows.first()) : nullptr;
    ActAddCharts->setEnabled(ready);
    ActChangeSongId->setEnabled(ready && one && one->header && !one->encrypted);
    ActNameFilesForIds->setEnabled(ready && !m_charts.charts().isEmpty());
    // The whole group is known only once every header is read.
    ActResolveDuplicateIds->setEnabled(ready && m_allHeadersRead && !rows.isEmpty()
                                       && !duplicateIdGroup(m_charts.charts(), selectedChartPaths()).isEmpty());
}

PlanSettings MusicFolderWindow::planSettings() const
{
    PlanSettings settings;
    settings.codec = m_codec;
    // The list the window compares with is kept in step, as the command
    // line's --list keeps it; an unreadable one is left alone.
    if (!m_songListPath.isEmpty() && m_songListError.isEmpty() && m_charts.songList())
        settings.listPath = m_songListPath;
    return settings;
}

void MusicFolderWindow::addCharts()
{
    if (!ActAddCharts->isEnabled())
        return;
    // A pack usually lies beside the game, so the game's folder comes first.
    const QString start = m_chartsAddedFrom.isEmpty() ? QFileInfo(m_folder).absolutePath() : m_chartsAddedFrom;
    addChartFiles(m_dialogs.askFileNames(this, start, ChartFilter));
}

void MusicFolderWindow::addChartFiles(const QStringList &paths)
{
    if (paths.isEmpty() || !ActAddCharts->isEnabled())
        return;
    m_chartsAddedFrom = QFileInfo(paths.first()).absolutePath();
    AddSettings settings;
    static_cast<PlanSettings &>(settings) = planSettings();
    planInBackground(QStringLiteral("Add Charts"), QStringLiteral("Added"),
                     [folder = m_folder, paths, settings] { return planAdd(folder, paths, settings); });
}

void MusicFolderWindow::changeSongId()
{
    if (!ActChangeSongId->isEnabled())
        return;
    const ChartScan chart = *m_charts.chartAt(selectedChartRows().first());
    const PlanSettings settings = planSettings();
    // The free ID needs the whole folder read, so it is found off this thread too.
    auto offered = std::make_shared<std::optional<qint64>>();
    m_afterWrite = [this, chart, settings, offered] {
        SongIdDialog dialog(QFileInfo(chart.path).fileName(), chart.header->songId, *offered, this);
        m_dialogs.showModal(dialog);
        if (dialog.result() != QDialog::Accepted || !dialog.IdBox->hasAcceptableInput())
            return;
        planInBackground(QStringLiteral("Change Song ID"), QStringLiteral("Renumbered"),
                         [path = chart.path, id = dialog.songId(), settings] { return planRenumber(path, id, settings); });
    };
    m_work.startTask([folder = m_folder, settings, offered](const ScanControl &) {
        *offered = lowestFreeSongId(folder, FirstOfficialSongId, settings);
        return Result<>::success();
    });
    showProgress(QStringLiteral("Looking for a free song ID"), 0, 0);
    updateCommands();
}

void MusicFolderWindow::nameFilesForIds()
{
    if (!ActNameFilesForIds->isEnabled())
        return;
    planInBackground(QStringLiteral("Name Files for IDs"), QStringLiteral("Renamed"),
                     [folder = m_folder, only = selectedChartPaths(), settings = planSettings()] {
                         return planRename(folder, settings, only);
                     });
}

void MusicFolderWindow::resolveDuplicateIds()
{
    if (!ActResolveDuplicateIds->isEnabled())
        return;
    const QStringList group = duplicateIdGroup(m_charts.charts(), selectedChartPaths());
    if (group.isEmpty())
        return;
    QStringList shown;
    for (const QString &path : group) {
        const ChartScan &chart = *m_charts.chartAt(m_charts.rowOfChart(path));
        shown << QStringLiteral("%1 \u2014 %2").arg(QFileInfo(path).fileName(), m_codec.decode(chart.header->title));
    }
    KeeperDialog dialog(m_charts.chartAt(m_charts.rowOfChart(group.first()))->header->songId, group, shown, this);
    m_dialogs.showModal(dialog);
    if (dialog.result() != QDialog::Accepted || dialog.keeper().isEmpty())
        return;
    planInBackground(QStringLiteral("Resolve Duplicate IDs"), QStringLiteral("Renumbered"),
                     [group, keeper = dialog.keeper(), settings = planSettings()] {
                         return planResolveDuplicateIds(group, keeper, settings);
                     });
}

void MusicFolderWindow::planInBackground(const QString &title, const QString &doneWord, std::function<Result<FolderPlan>()> make)
{
    auto planned = std::make_shared<Result<FolderPlan>>(Failure{QStringLiteral("The folder was not read.")});
    m_afterWrite = [this, planned, title, doneWord] { previewPlan(title, doneWord, *planned); };
    m_work.startTask([planned, make = std::move(make)](const ScanControl &) {
        *planned = make();
        return Result<>::success();
    });
    showProgress(QStringLiteral("Reading the folder for the plan"), 0, 0);
    updateCommands();
}

void MusicFolderWindow::previewPlan(const QString &title, const QString &doneWord, const Result<FolderPlan> &planned)
{
    if (!planned.ok()) {
        showError(planned.error() + QStringLiteral(" Nothing was changed."));
        return;
    }
    PlanPreviewDialog dialog(planned.value(), title, this);
    m_dialogs.showModal(dialog);
    if (dialog.result() != QDialog::Accepted || planned->empty())
        return;
    const FolderPlan plan = planned.value();
    QStringList changing;
    for (const PlanStep &step : plan.steps) {
        if (step.kind == StepKind::Rename || step.kind == StepKind::Remove || (step.kind == StepKind::Write && step.inPlace))
            changing << step.from;
    }
    emit chartsAboutToChange(changing);
    auto run = std::make_shared<PlanOutcome>();
    m_afterWrite = [this, plan, run, title, doneWord] {
        recordStep(title, std::move(run->changes));
        finishPlan(plan, run->run, run->done, doneWord);
    };
    m_work.startTask([plan, run](const ScanControl &control) {
        PlanControl planControl;
        planControl.cancel = control.cancel;
        planControl.progress = [&control](int done, int total) {
            if (control.progress)
                control.progress(done, total);
        };
        planControl.stepDone = [&run](const PlanStep &step, const QString &) { run->done << step; };
        planControl.changes = &run->changes;
        run->run = executeFolderPlan(plan, planControl);
        return Result<>::success();
    });
    showProgress(title + QStringLiteral(": %v of %m charts"), 0, plan.charts());
    updateCommands();
}

void MusicFolderWindow::finishPlan(const FolderPlan &plan, const PlanRun &run, const QList<PlanStep> &done,
                                   const QString &doneWord)
{
    // The editor follows each chart it may have open: a rewrite is a save,
    // a new name whose old one went is a move. A chart that failed was
    // taken back, so its steps count for nothing.
    QSet<QString> gone;
    for (const PlanStep &step : done) {
        if (!run.failedCharts.contains(step.chart) && (step.kind == StepKind::Remove || step.kind == StepKind::Rename))
            gone.insert(step.from);
    }
    for (const PlanStep &step : done) {
        if (run.failedCharts.contains(step.chart) || !step.to.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive))
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
        showInfo(text);
    else if (run.takenBack.isEmpty())
        showError(QStringLiteral("%1 These are as they were:\n\n%2").arg(text, namedLines(problems)));
    else
        showError(QStringLiteral("%1 These are as they were:\n\n%2\n\nTaken back:\n%3")
                      .arg(text, namedLines(problems), namedLines(run.takenBack)));

    // Names came and went: the rows are read again, then the list's
    // status is known and an update offered.
    connect(this, &MusicFolderWindow::headerScanFinished, this, [this] { offerSongListUpdate(); }, Qt::SingleShotConnection);
    startScan();
}

void MusicFolderWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (ActAddCharts->isEnabled() && !droppedCharts(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MusicFolderWindow::dropEvent(QDropEvent *event)
{
    const QStringList charts = droppedCharts(event->mimeData());
    if (charts.isEmpty())
        return;
    event->acceptProposedAction();
    addChartFiles(charts);
}

} // namespace ojn
