// Undo and Redo. A file changed since the step is never written over; it
// is listed instead.
#include "musicfolderwindow/HistoryCommands.h"

#include "musicfolderwindow/MessageLines.h"
#include "musicfolderwindow/MusicFolderWindow.h"
#include "model/ChartFileCheck.h"
#include "songlist/SongListLocation.h"

#include <QFileInfo>

namespace ojn {
namespace {

bool sameFile(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty() && QFileInfo(a) == QFileInfo(b);
}

QString verbOf(FileChange::Direction direction)
{
    return direction == FileChange::Direction::Undo ? QStringLiteral("Undo") : QStringLiteral("Redo");
}

} // namespace

HistoryCommands::HistoryCommands(MusicFolderWindow &window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
}

void HistoryCommands::undo()
{
    replay(FileChange::Direction::Undo);
}

void HistoryCommands::redo()
{
    replay(FileChange::Direction::Redo);
}

void HistoryCommands::replay(FileChange::Direction direction)
{
    FileHistory &history = m_window.history();
    const HistoryStep *step = direction == FileChange::Direction::Undo ? history.undoStep() : history.redoStep();
    if (!step || m_window.commandRunning())
        return;
    const QString format = QStringLiteral("%1 %2: %v of %m").arg(verbOf(direction), step->name());
    const qsizetype total = step->changes.size();
    if (direction == FileChange::Direction::Undo ? history.undo() : history.redo())
        m_window.showProgress(format, 0, total);
}

void HistoryCommands::followReplay(const ReplayReport &report)
{
    m_window.endProgress();
    // Names that came and went need the folder read again; charts edited
    // where they are, only their rows.
    QStringList rows;
    if (!report.namesChanged) {
        for (const QString &path : report.chartsSaved) {
            if (m_window.catalogue().rowOfChart(path) >= 0)
                rows << path;
        }
    }
    if (rows.isEmpty()) {
        finishReplay(report);
        return;
    }
    const quint64 stamp = m_window.catalogue().nextStamp();
    m_window.runTask(
        QStringLiteral("Reading the charts put back"), 0,
        [rows](const ScanControl &) {
            QList<ChartScan> scans;
            QByteArray buffer;
            for (const QString &path : rows)
                scans << checkChartFile(path, buffer);
            return scans;
        },
        [this, report, stamp](const QList<ChartScan> &scans) {
            m_window.catalogue().applyScans(scans, stamp);
            finishReplay(report);
        });
}

void HistoryCommands::finishReplay(const ReplayReport &report)
{
    for (const auto &[from, to] : report.chartsMoved)
        emit chartMoved(from, to);
    for (const QString &path : report.chartsSaved)
        emit chartSaved(path);

    FolderCatalogue &catalogue = m_window.catalogue();
    const bool listTouched = report.songListTouched && sameFile(report.songList, catalogue.songListPath());
    QString list = catalogue.songListPath();
    // An undone new list is gone: the one beside the folder counts again.
    if (listTouched && !QFileInfo::exists(list))
        list = songListBeside(m_window.folder());
    if (report.namesChanged)
        m_window.rescanWith(list); // which reads the list too
    else if (listTouched)
        static_cast<void>(catalogue.loadSongList(list));

    const QString verb = verbOf(report.direction);
    if (report.cancelled) {
        m_window.showInfo(QStringLiteral("%1 of %2 cancelled: %3 again to finish it.").arg(verb, report.stepName, verb));
        return;
    }
    QString text = QStringLiteral("%1 %2: %3 %4 put back.")
                       .arg(verb, report.stepName)
                       .arg(report.filesWritten)
                       .arg(QLatin1String(report.filesWritten == 1 ? "file" : "files"));
    if (!report.skipped.isEmpty())
        text += QStringLiteral("\n\nThese changed since and are left as they are:\n%1").arg(namedLines(report.skipped));
    if (!report.failed.isEmpty())
        text += QStringLiteral("\n\nThese could not be written and are as they were:\n%1").arg(namedLines(report.failed));
    if (report.skipped.isEmpty() && report.failed.isEmpty())
        m_window.showInfo(text);
    else
        m_window.showError(text);
}

} // namespace ojn
