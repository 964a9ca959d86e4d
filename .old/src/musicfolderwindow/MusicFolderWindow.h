#pragma once

#include "musicfolderwindow/ChartSortFilter.h"
#include "musicfolderwindow/ChartTableModel.h"
#include "folderchecks/FolderWork.h"
#include "text/CodePage.h"
#include "dialogs/Dialogs.h"
#include "filehistory/FileHistory.h"
#include "folderplans/FolderPlans.h"

#include <QLocale>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QBoxLayout;
class QLabel;
class QMenu;
class QMenuBar;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace ojn {

class ChartPanel;
struct HeaderCsvImportPlan;
struct PlanRun;

// The "Music Folder" window: every chart of a game's Music folder in one
// table, checked as it is read, several charts edited at once, and the
// song list kept in step. It knows nothing of the main window: it says
// which chart to open and which charts it saved, and is told which chart
// was saved elsewhere.
class MusicFolderWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MusicFolderWindow(Dialogs &dialogs, QWidget *parent = nullptr);
    ~MusicFolderWindow() override;

    [[nodiscard]] const QString &folder() const { return m_folder; }
    [[nodiscard]] const QString &songListPath() const { return m_songListPath; }
    [[nodiscard]] ChartTableModel &charts() { return m_charts; }
    // Whether a scan, a check or a save is still running, or its results
    // are still being added.
    [[nodiscard]] bool busy() const { return m_work.scanning() || m_work.saving() || !m_steps.isEmpty(); }
    // The folder's undo history, which outlives the window (the app keeps
    // one per folder); a window left without one keeps its own.
    void setHistory(std::shared_ptr<FileHistory> history);
    [[nodiscard]] FileHistory &history() { return *m_history; }

    // --- Controls ------------------------------------------------------
    QLabel *FilterLabel = nullptr;
    QLineEdit *FilterBox = nullptr;
    QPushButton *BtnEditSelected = nullptr;
    QPushButton *BtnChooseSongList = nullptr;
    QPushButton *BtnUpdateSongList = nullptr;
    QPushButton *BtnBuildSongList = nullptr;
    QPushButton *BtnRescan = nullptr;
    QPushButton *BtnExportCsv = nullptr;
    QPushButton *BtnImportCsv = nullptr;
    QTableView *ChartTable = nullptr;
    ChartPanel *Panel = nullptr;
    QLabel *StatusText = nullptr;
    QProgressBar *Progress = nullptr;
    QPushButton *BtnCancel = nullptr;

    // --- Menus (WindowMenus.cpp) ---------------------------------------
    QMenuBar *MenuBar = nullptr;
    QMenu *MnuFile = nullptr, *MnuEdit = nullptr, *MnuSongList = nullptr, *MnuView = nullptr;
    QAction *ActOpenFolder = nullptr, *ActImport = nullptr, *ActExport = nullptr, *ActClose = nullptr;
    QAction *ActUndo = nullptr, *ActRedo = nullptr, *ActStepsLetGo = nullptr, *ActEditSelected = nullptr, *ActSelectAll = nullptr,
            *ActFind = nullptr;
    QAction *ActChooseSongList = nullptr, *ActUpdateSongList = nullptr, *ActBuildSongList = nullptr;
    QAction *ActRescan = nullptr;
    QList<QAction *> ActColumns; // one per column, show or hide it; none for the file name
    QAction *ActOpenInEditor = nullptr, *ActShowInFolder = nullptr, *ActCopy = nullptr;
    // The commands that add, renumber and name charts; each button
    // triggers its action.
    QAction *ActAddCharts = nullptr;
    QAction *ActChangeSongId = nullptr;
    QAction *ActNameFilesForIds = nullptr;
    QAction *ActResolveDuplicateIds = nullptr;
    QPushButton *BtnAddCharts = nullptr;
    QPushButton *BtnChangeSongId = nullptr;
    QPushButton *BtnNameFilesForIds = nullptr;
    QPushButton *BtnResolveDuplicateIds = nullptr;

public slots:
    // Shows the folder's charts, reading them from a worker thread, and
    // compares them with the song list found beside the folder.
    void openFolder(const QString &folder);
    // The chart at `path` was saved elsewhere: its row and list status
    // are read again (a chart new to the folder gets a row).
    void refreshChart(const QString &path);

    void editSelected();      // BtnEditSelected
    void chooseSongList();    // BtnChooseSongList
    void updateSongList();    // BtnUpdateSongList
    void buildNewSongList();  // BtnBuildSongList
    void rescan();            // BtnRescan, F5
    void cancelWork();        // BtnCancel
    void exportCsv();         // BtnExportCsv
    void importCsv();         // BtnImportCsv
    void undo();              // ActUndo, Ctrl+Z
    void redo();              // ActRedo, Ctrl+Shift+Z, Ctrl+Y
    void copySelectedRows();  // ActCopy: tab-separated, as a spreadsheet pastes it
    void addCharts();           // ActAddCharts
    void addChartFiles(const QStringList &paths); // charts dropped on the window
    void changeSongId();        // ActChangeSongId
    void nameFilesForIds();     // ActNameFilesForIds
    void resolveDuplicateIds(); // ActResolveDuplicateIds

signals:
    // Double-click or Enter on a chart's row.
    void openChartRequested(const QString &path);
    // "Edit Selected..." saved the chart.
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
    void connectCommands();
    void connectWork();
    void buildMenus();
    void updateMenus();

    void startScan();
    // Results of the scan are added one bounded step per turn of the event
    // loop, in the order they came, so that input never waits long.
    void queueStep(std::function<void()> step);
    void runNextStep();
    void applyScanResults(const QList<ChartScan> &scans, qsizetype done, qsizetype total);
    void onFolderListed(const FolderListing &listing);
    // A batch of headers read, or of note sections checked.
    void onChartsChecked(const QList<ChartScan> &scans, qsizetype done, qsizetype total);
    void onHeaderScanFinished(bool cancelled);
    void onNoteCheckFinished(bool cancelled);
    void onChartsEdited(const QList<ChartEditResult> &results, qsizetype done, qsizetype total);
    void onEditsFinished(bool cancelled);
    void onWriteFinished(const Result<> &outcome);

    // Reads the song list at `path` as the one to compare with; false (and
    // no list) when it cannot be read.
    bool loadSongList(const QString &path);
    // Writes on the saving thread; `saved` runs once the write succeeded.
    void writeInBackground(const QString &what, std::function<Result<>()> write, std::function<void()> saved);

    // The table rows of the selected charts (songs with no chart left out).
    [[nodiscard]] QList<int> selectedChartRows() const;
    void openCurrentChart();
    void showCurrentChart();
    void refreshPanelFindings();
    void showProgress(const QString &format, qsizetype done, qsizetype total);
    void updateCommands();
    void updateStatus();
    void finishWork();

    // The CSV file dialogs' start, and an import's last steps.
    [[nodiscard]] QString csvStartPath() const;
    void previewImport(const HeaderCsvImportPlan &plan);
    void offerSongListUpdate();

    // Undo (UndoCommands.cpp): each command's changes become one step.
    void recordStep(const QString &name, QList<FileChange> changes);
    void replayInBackground(FileChange::Direction direction);
    // writeInBackground of the file at `path`, recorded as the step `name`.
    void writeUndoable(const QString &name, const QString &what, const QString &path, std::function<Result<>()> write,
                       std::function<void()> saved);
    // The folder commands: planned on the saving thread, shown, run there
    // on Apply, then the folder read again.
    void buildPlanCommands(QBoxLayout *buttons);
    void updatePlanCommands();
    [[nodiscard]] QStringList selectedChartPaths() const;
    [[nodiscard]] PlanSettings planSettings() const;
    void planInBackground(const QString &title, const QString &doneWord, std::function<Result<FolderPlan>()> make);
    void previewPlan(const QString &title, const QString &doneWord, const Result<FolderPlan> &planned);
    struct PlanOutcome;
    void finishPlan(const FolderPlan &plan, const PlanRun &run, const QList<PlanStep> &done, const QString &doneWord);

    void showError(const QString &text);
    void showInfo(const QString &text);

    Dialogs &m_dialogs;
    TextCodec m_codec;
    QLocale m_locale;
    ChartTableModel m_charts;
    ChartSortFilter m_sorted;
    FolderWork m_work;
    QTimer m_panelTimer; // shows the current chart once the selection settles
    QTimer m_stepTimer;
    QList<std::function<void()>> m_steps;

    QString m_folder;
    QString m_songListPath;
    QString m_songListError;
    QString m_listingError;
    bool m_allHeadersRead = false;
    bool m_headerScanCancelled = false;
    bool m_noteCheckCancelled = false;
    QString m_scanFormat; // the scan's progress, shown again after a save
    qsizetype m_scanDone = 0, m_scanTotal = 0;
    quint64 m_scanStamp = 0;
    quint64 m_editStamp = 0;
    QStringList m_editedPaths;
    QStringList m_editFailures;
    std::function<void()> m_afterWrite;
    std::function<void()> m_afterEdits; // once the edits' outcome is shown
    QString m_csvPath;
    std::shared_ptr<FileHistory> m_history;
    QString m_editName;             // the step the running edits make
    QList<FileChange> m_editChanges; // and what they changed so far
    QString m_chartsAddedFrom;
};

} // namespace ojn
