#pragma once

#include "filehistory/FileHistory.h"

#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;
class QMenuBar;
class QPoint;
class QPushButton;

namespace ojn {

class CsvCommands;
class EditSelectedCommand;
class FolderPlanCommands;
class HistoryCommands;
class MusicFolderWindow;
class SongListCommands;

// Every command of the Music Folder window as an action: the menu bar,
// the rows' and the columns' context menus, and the buttons above the
// table, each showing an action and following its enabled state. What is
// enabled is decided in update(), which follows the folder, its work, its
// history and the selection. The commands themselves are in the command
// classes this creates.
class FolderWindowActions final : public QObject {
    Q_OBJECT
public:
    explicit FolderWindowActions(MusicFolderWindow &window);
    ~FolderWindowActions() override;

    [[nodiscard]] QMenuBar *menuBar() const { return m_menuBar; }
    // The buttons above the table, in order, and Cancel beside the progress.
    [[nodiscard]] const QList<QPushButton *> &buttons() const { return m_buttons; }
    [[nodiscard]] QPushButton *cancelButton() const { return m_cancelButton; }

    // Charts dropped on the window: whether they may be added now, and
    // adding them.
    [[nodiscard]] bool canAddCharts() const;
    void addChartFiles(const QStringList &paths);
    // Copy: the selected rows as shown, tab-separated, as a spreadsheet
    // pastes them.
    void copySelectedRows();

public slots:
    // Enables each command for what the folder, the work running, the
    // history and the selection allow: the one place that decides it.
    void update();
    // An undo or a redo ended; its command goes on from there.
    void followReplay(const ojn::ReplayReport &report);

signals:
    void openFolderRequested(const QString &folder);

private:
    QAction *action(const char *name, const char *text, const QList<QKeySequence> &keys = {});
    QPushButton *button(QAction *action, const QString &accessibleName = {});
    void buildMenus();
    void buildButtons();
    void connectCommands();
    void showRowsMenu(const QPoint &at);
    void showColumnsMenu(const QPoint &at);
    void showInFolder();

    MusicFolderWindow &m_window;
    SongListCommands *m_songList = nullptr;
    EditSelectedCommand *m_editSelected = nullptr;
    CsvCommands *m_csv = nullptr;
    FolderPlanCommands *m_plans = nullptr;
    HistoryCommands *m_history = nullptr;

    QMenuBar *m_menuBar = nullptr;
    QList<QPushButton *> m_buttons;
    QPushButton *m_cancelButton = nullptr;
    QList<QAction *> m_columns; // one per column, show or hide it; none for the file name
    QAction *m_openFolder, *m_addCharts, *m_import, *m_export, *m_close;
    QAction *m_undo, *m_redo, *m_stepsLetGo, *m_editSelectedAction, *m_changeSongId, *m_nameFilesForIds,
        *m_resolveDuplicateIds, *m_copy, *m_selectAll, *m_find;
    QAction *m_chooseSongList, *m_updateSongList, *m_buildSongList;
    QAction *m_rescan;
    QAction *m_openInEditor, *m_showInFolder, *m_cancel;
};

} // namespace ojn
