#pragma once

#include "musicfolderwindow/ChartSortFilter.h"
#include "musicfolderwindow/ChartTableModel.h"
#include "dialogs/Dialogs.h"
#include "filehistory/FileHistory.h"
#include "folderchecks/FolderCatalogue.h"
#include "folderchecks/FolderWork.h"
#include "text/CodePage.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;
class QTableView;

namespace ojn {

class ChartPanel;
class FolderWindowActions;

// The "Music Folder" window: every chart of a game's Music folder in one
// table, checked as it is read, with the selected chart beside it, the
// folder's status and the progress of its work. Its commands (menus,
// buttons and what they do) are in FolderWindowActions and the command
// classes beside it. It knows nothing of the main window: it says which
// chart to open and which charts it saved, and is told which chart was
// saved elsewhere.
class MusicFolderWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MusicFolderWindow(Dialogs &dialogs, QWidget *parent = nullptr);
    ~MusicFolderWindow() override;

    [[nodiscard]] const QString &folder() const { return m_folder; }
    [[nodiscard]] const QString &songListPath() const { return m_catalogue.songListPath(); }
    [[nodiscard]] FolderCatalogue &catalogue() { return m_catalogue; }
    [[nodiscard]] const ChartTableModel &table() const { return m_table; }
    [[nodiscard]] FolderWork &work() { return m_work; }
    [[nodiscard]] Dialogs &dialogs() { return m_dialogs; }
    [[nodiscard]] const TextCodec &codec() const { return m_codec; }
    [[nodiscard]] const QLocale &locale() const { return m_locale; }
    // The folder's undo history, which outlives the window (the app keeps
    // one per folder); a window left without one keeps its own.
    void setHistory(std::shared_ptr<FileHistory> history);
    [[nodiscard]] FileHistory &history() { return *m_history; }

    // Whether a command's work runs (a task, an undo or a redo), so that
    // no other may start.
    [[nodiscard]] bool commandRunning() const { return m_work.taskRunning() || m_history->replaying(); }
    // Whether anything runs: a scan, a command's work, or the scan's
    // results still being added.
    [[nodiscard]] bool busy() const { return m_work.scanning() || commandRunning() || !m_steps.isEmpty(); }

    // The rows of the selected charts, sorted (songs with no chart left
    // out), and their paths; the chart of the current row.
    [[nodiscard]] QList<int> selectedChartRows() const;
    [[nodiscard]] QStringList selectedChartPaths() const;
    [[nodiscard]] const ChartScan *currentChart() const;
    // The charts in view, filtered and sorted as shown.
    [[nodiscard]] QList<ChartScan> chartsInView() const;

    // Runs `task` on the work's task thread showing its progress as
    // `format` ("...: %v of %m", of `total`; 0 for a bar that only says
    // it works), then `then` with what it returned.
    template <typename Task, typename Then>
    void runTask(const QString &format, qsizetype total, Task task, Then then);
    void showProgress(const QString &format, qsizetype done, qsizetype total);
    // A command's work ended: the scan's progress comes back, if it runs.
    void endProgress();
    void showError(const QString &text);
    void showInfo(const QString &text);

    // --- Controls ------------------------------------------------------
    QLineEdit *FilterBox = nullptr;
    QTableView *ChartTable = nullptr;
    ChartPanel *Panel = nullptr;
    QLabel *StatusText = nullptr;

public slots:
    // Shows the folder's charts, reading them from a worker thread, and
    // compares them with the song list found beside the folder.
    void openFolder(const QString &folder);
    // Reads the folder again; the song list chosen stays, read again too.
    // Nothing while a command's work runs.
    void rescan();
    // The same, comparing with the song list at `songListPath` from now on
    // (none for an empty path).
    void rescanWith(const QString &songListPath);
    // The chart at `path` was saved elsewhere: its row and list status
    // are read again (a chart new to the folder gets a row).
    void refreshChart(const QString &path);
    // Stops the command's work, else the scan.
    void cancelWork();
    void openCurrentChart();

signals:
    // Double-click or Enter on a chart's row.
    void openChartRequested(const QString &path);
    // A command saved the chart.
    void chartSaved(const QString &path);
    // File > Open Music Folder... chose a folder, for a window of its own.
    void openFolderRequested(const QString &folder);
    // A folder command will change or move these charts once this returns
    // (a chart open elsewhere with unsaved edits is best saved first).
    void chartsAboutToChange(const QStringList &paths);
    // A folder command gave the chart at `from` the new name `to`.
    void chartMoved(const QString &from, const QString &to);
    // Every header is read; the note sections are checked next.
    void headerScanFinished();
    // Nothing is running any more.
    void workFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildControls();
    void setTabOrder();
    void showCurrentChart();
    void refreshPanelFindings();
    void updateStatus();

    // Reading the folder (FolderReading.cpp). Results of the scan are
    // added one bounded step per turn of the event loop, in the order they
    // came, so that input never waits long.
    void connectReading();
    // Reads the folder and the song list at `songListPath` (none if empty).
    void startScan(const QString &songListPath);
    void queueStep(std::function<void()> step);
    void runNextStep();
    void onFolderListed(const FolderListing &listing);
    // A batch of headers read, or of note sections checked.
    void onChartsChecked(const QList<ChartScan> &scans, qsizetype done, qsizetype total);
    void onHeaderScanFinished(bool cancelled);
    void applyScanResults(const QList<ChartScan> &scans, qsizetype done, qsizetype total);

    Dialogs &m_dialogs;
    TextCodec m_codec;
    QLocale m_locale;
    FolderCatalogue m_catalogue;
    ChartTableModel m_table;
    ChartSortFilter m_sorted;
    FolderWork m_work;
    std::shared_ptr<FileHistory> m_history;
    QList<QMetaObject::Connection> m_historyLinks;
    FolderWindowActions *m_actions = nullptr;
    QLabel *m_filterLabel = nullptr;
    QProgressBar *m_progress = nullptr;
    QElapsedTimer m_progressShown;
    QTimer m_panelTimer; // shows the current chart once the selection settles
    QTimer m_stepTimer;
    QTimer m_statusTimer;
    QList<std::function<void()>> m_steps;

    QString m_folder;
    bool m_headerScanCancelled = false;
    bool m_noteCheckCancelled = false;
    QString m_scanFormat; // the scan's progress, shown again after a command's
    qsizetype m_scanDone = 0, m_scanTotal = 0;
    quint64 m_scanStamp = 0;
};

template <typename Task, typename Then>
void MusicFolderWindow::runTask(const QString &format, qsizetype total, Task task, Then then)
{
    m_work.startTask(std::move(task), [this, then = std::move(then)](auto &&...value) mutable {
        endProgress();
        then(std::forward<decltype(value)>(value)...);
    });
    showProgress(format, 0, total);
}

} // namespace ojn
