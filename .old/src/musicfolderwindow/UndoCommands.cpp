// Undo and Redo: each command that changes files becomes one step of the
// folder's history, replayed on the saving thread with progress. A file
// changed since the step is never written over; it is listed instead.
#include "musicfolderwindow/MusicFolderWindow.h"

#include "musicfolderwindow/MessageLines.h"

#include "model/ChartFileCheck.h"
#include "songlist/SongListLocation.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <memory>

namespace ojn {
namespace {

bool sameFile(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty() && QFileInfo(a) == QFileInfo(b);
}

} // namespace

void MusicFolderWindow::setHistory(std::shared_ptr<FileHistory> history)
{
    m_history = history ? std::move(history) : std::make_shared<FileHistory>();
    updateMenus();
}

void MusicFolderWindow::recordStep(const QString &name, QList<FileChange> changes)
{
    changes.removeIf([](const FileChange &change) { return change.isEmpty(); });
    if (name.isEmpty() || changes.isEmpty())
        return;
    // Charts, not files: a renamed chart's OJM and header edit are one chart.
    QSet<QString> chartFiles;
    for (const FileChange &change : std::as_const(changes)) {
        if (change.pathAfter().endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive))
            chartFiles.insert(change.pathAfter());
    }
    const qsizetype charts = chartFiles.size();
    const QString counted = name.endsWith(QLatin1String("Song List"))
        ? name
        : QStringLiteral("%1 (%2 %3)").arg(name).arg(charts).arg(QLatin1String(charts == 1 ? "chart" : "charts"));
    m_history->push({counted, std::move(changes)});
    updateMenus();
}

void MusicFolderWindow::writeUndoable(const QString &name, const QString &what, const QString &path,
                                      std::function<Result<>()> write, std::function<void()> saved)
{
    auto change = std::make_shared<std::optional<FileChange>>();
    writeInBackground(
        what, [path, write = std::move(write), change] { return writeRecorded(path, write, *change); },
        [this, name, change, saved = std::move(saved)] {
            if (*change)
                recordStep(name, {**change});
            saved();
        });
}

void MusicFolderWindow::undo()
{
    replayInBackground(FileChange::Direction::Undo);
}

void MusicFolderWindow::redo()
{
    replayInBackground(FileChange::Direction::Redo);
}

void MusicFolderWindow::replayInBackground(FileChange::Direction direction)
{
    const bool undoing = direction == FileChange::Direction::Undo;
    const HistoryStep *step = undoing ? m_history->undoStep() : m_history->redoStep();
    if (m_work.saving() || !step)
        return;
    const HistoryStep replayed = *step; // shared, not copied: the thread only reads it
    // The charts among its files are checked again once they are back.
    QSet<QString> charts;
    for (const FileChange &change : replayed.changes) {
        const QString &path = undoing ? change.pathBefore() : change.pathAfter();
        if (m_charts.rowOfChart(path) >= 0 || m_charts.rowOfChart(undoing ? change.pathAfter() : change.pathBefore()) >= 0)
            charts.insert(path);
    }
    auto outcome = std::make_shared<ReplayOutcome>();
    auto scans = std::make_shared<QList<ChartScan>>();
    const QString verb = undoing ? QStringLiteral("Undo") : QStringLiteral("Redo");
    // Names that come and go need the folder read again; edits only their rows.
    const bool namesChange = std::any_of(replayed.changes.cbegin(), replayed.changes.cend(),
                                         [](const FileChange &change) { return change.kind() != FileChange::Kind::Edit; });
    m_afterWrite = [this, outcome, scans, verb, undoing, namesChange, name = replayed.name] {
        m_charts.applyScans(*scans, m_charts.nextStamp());
        refreshPanelFindings();
        // The editor follows a chart moved back or forth, and is told of each
        // one rewritten (once, and not of one that is gone).
        QSet<QString> told;
        for (const auto &[from, to] : std::as_const(outcome->moved)) {
            if (to.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive))
                emit chartMoved(from, to);
            told.insert(to);
        }
        bool listTouched = false;
        for (const QString &path : std::as_const(outcome->written)) {
            if (sameFile(path, m_songListPath))
                listTouched = true;
            else if (!told.contains(path) && QFileInfo::exists(path))
                emit chartSaved(path);
            told.insert(path);
        }
        // An undone new list is gone: the one beside the folder counts again.
        if (listTouched && !QFileInfo::exists(m_songListPath))
            m_songListPath = songListBeside(m_folder);
        if (namesChange) {
            startScan(); // which reads the list too
        } else if (listTouched && m_songListPath.isEmpty()) {
            m_songListError.clear();
            m_charts.setSongList(std::nullopt);
        } else if (listTouched) {
            loadSongList(m_songListPath);
        }
        if (outcome->cancelled) {
            showInfo(QStringLiteral("%1 of %2 cancelled: %3 again to finish it.").arg(verb, name, verb));
            return;
        }
        if (undoing)
            m_history->undone();
        else
            m_history->redone();
        updateMenus();
        QString text = QStringLiteral("%1 %2: %3 %4 put back.")
                           .arg(verb, name)
                           .arg(outcome->written.size())
                           .arg(QLatin1String(outcome->written.size() == 1 ? "file" : "files"));
        if (!outcome->skipped.isEmpty())
            text += QStringLiteral("\n\nThese changed since and are left as they are:\n%1").arg(namedLines(outcome->skipped));
        if (!outcome->failed.isEmpty())
            text += QStringLiteral("\n\nThese could not be written and are as they were:\n%1").arg(namedLines(outcome->failed));
        if (outcome->skipped.isEmpty() && outcome->failed.isEmpty())
            showInfo(text);
        else
            showError(text);
    };
    m_work.startTask([replayed, direction, outcome, scans, charts](const ScanControl &control) {
        *outcome = replayStep(replayed, direction, control.cancel, control.progress);
        QByteArray buffer;
        for (const QString &path : std::as_const(outcome->written)) {
            if (charts.contains(path))
                scans->append(checkChartFile(path, buffer));
        }
        return Result<>::success();
    });
    showProgress(QStringLiteral("%1 %2: %v of %m").arg(verb, replayed.name), 0, replayed.changes.size());
    updateCommands();
}

} // namespace ojn
