// The window's actions: the menu bar, where every command is with its
// standard keys; the rows' and the columns' context menus; the buttons,
// which show the same actions with no mnemonics of their own; and what is
// enabled when.
#include "musicfolderwindow/FolderWindowActions.h"

#include "musicfolderwindow/CsvCommands.h"
#include "musicfolderwindow/EditSelectedCommand.h"
#include "musicfolderwindow/FolderPlanCommands.h"
#include "musicfolderwindow/HistoryCommands.h"
#include "musicfolderwindow/MusicFolderWindow.h"
#include "musicfolderwindow/SongListCommands.h"
#include "folderplans/ResolveDuplicatesPlan.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QUrl>

namespace ojn {

FolderWindowActions::FolderWindowActions(MusicFolderWindow &window)
    : QObject(&window)
    , m_window(window)
    , m_songList(new SongListCommands(window, this))
    , m_editSelected(new EditSelectedCommand(window, this))
    , m_csv(new CsvCommands(window, *m_editSelected, *m_songList, this))
    , m_plans(new FolderPlanCommands(window, *m_songList, this))
    , m_history(new HistoryCommands(window, this))
{
    buildMenus();
    buildButtons();
    connectCommands();
    update();
}

FolderWindowActions::~FolderWindowActions() = default;

QAction *FolderWindowActions::action(const char *name, const char *text, const QList<QKeySequence> &keys)
{
    auto *a = new QAction(QString::fromLatin1(text), this);
    a->setObjectName(QLatin1String(name));
    a->setShortcuts(keys);
    return a;
}

void FolderWindowActions::buildMenus()
{
    m_menuBar = new QMenuBar(&m_window);
    m_menuBar->setObjectName(QStringLiteral("MenuBar"));

    QMenu *file = m_menuBar->addMenu(QStringLiteral("&File"));
    m_openFolder = action("ActOpenFolder", "&Open Music Folder...", {QKeySequence::Open});
    m_addCharts = action("ActAddCharts", "A&dd Charts...");
    m_import = action("ActImport", "&Import...");
    m_export = action("ActExport", "&Export...");
    // Ctrl+W everywhere, and the system's own Close where it differs.
    QList<QKeySequence> closeKeys{QKeySequence(Qt::CTRL | Qt::Key_W)};
    for (const QKeySequence &key : QKeySequence::keyBindings(QKeySequence::Close))
        if (!closeKeys.contains(key))
            closeKeys << key;
    m_close = action("ActClose", "&Close", closeKeys);
    file->addActions({m_openFolder, m_addCharts});
    file->addSeparator();
    file->addActions({m_import, m_export});
    file->addSeparator();
    file->addAction(m_close);

    QMenu *edit = m_menuBar->addMenu(QStringLiteral("&Edit"));
    m_undo = action("ActUndo", "&Undo", {QKeySequence::Undo});
    m_redo = action("ActRedo", "&Redo", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // Shown once the history's bound let older steps go.
    m_stepsLetGo = action("ActStepsLetGo", "Older steps were let go to save memory");
    m_stepsLetGo->setEnabled(false);
    m_stepsLetGo->setVisible(false);
    m_editSelectedAction = action("ActEditSelected", "&Edit Selected...");
    m_changeSongId = action("ActChangeSongId", "C&hange Song ID...");
    m_nameFilesForIds = action("ActNameFilesForIds", "&Name Files for IDs");
    m_resolveDuplicateIds = action("ActResolveDuplicateIds", "Resolve Du&plicate IDs");
    m_copy = action("ActCopy", "&Copy", {QKeySequence::Copy});
    m_selectAll = action("ActSelectAll", "Select &All", {QKeySequence::SelectAll});
    m_find = action("ActFind", "&Find", {QKeySequence::Find});
    edit->addActions({m_undo, m_redo, m_stepsLetGo});
    edit->addSeparator();
    edit->addActions({m_editSelectedAction, m_changeSongId, m_nameFilesForIds, m_resolveDuplicateIds});
    edit->addSeparator();
    edit->addActions({m_copy, m_selectAll, m_find});

    QMenu *songList = m_menuBar->addMenu(QStringLiteral("&Song List"));
    m_chooseSongList = action("ActChooseSongList", "&Choose Song List...");
    m_updateSongList = action("ActUpdateSongList", "&Update Song List");
    m_buildSongList = action("ActBuildSongList", "&Build New Song List...");
    songList->addActions({m_chooseSongList, m_updateSongList, m_buildSongList});

    QMenu *view = m_menuBar->addMenu(QStringLiteral("&View"));
    m_rescan = action("ActRescan", "&Rescan", {QKeySequence::Refresh});
    view->addAction(m_rescan);
    view->addSeparator();
    for (int column = 0; column < ChartColumnCount; ++column) {
        if (column == FileColumn)
            continue; // the row's name stays
        auto *a = view->addAction(m_window.table().headerData(column, Qt::Horizontal).toString());
        a->setObjectName(QStringLiteral("ActColumn%1").arg(column));
        a->setCheckable(true);
        a->setChecked(true);
        connect(a, &QAction::toggled, this, [this, column](bool shown) { m_window.ChartTable->setColumnHidden(column, !shown); });
        m_columns << a;
    }

    // Only in the rows' menu, and beside the progress.
    m_openInEditor = action("ActOpenInEditor", "&Open in Editor");
    m_showInFolder = action("ActShowInFolder", "&Show in Folder");
    m_cancel = action("ActCancel", "&Cancel");
}

QPushButton *FolderWindowActions::button(QAction *action, const QString &accessibleName)
{
    // The menus give the mnemonics; a tool bar button has none.
    const QString caption = action->text().remove(QLatin1Char('&'));
    auto *b = new QPushButton(caption, &m_window);
    b->setObjectName(QStringLiteral("Btn") + action->objectName().mid(3));
    b->setAccessibleName(accessibleName.isEmpty() ? QString(caption).remove(QStringLiteral("...")) : accessibleName);
    b->setAutoDefault(false);
    b->setEnabled(action->isEnabled());
    connect(b, &QPushButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::enabledChanged, b, &QPushButton::setEnabled);
    return b;
}

void FolderWindowActions::buildButtons()
{
    m_buttons = {button(m_editSelectedAction), button(m_chooseSongList), button(m_updateSongList), button(m_buildSongList),
                 button(m_rescan), button(m_export, QStringLiteral("Export CSV")), button(m_import, QStringLiteral("Import CSV")),
                 button(m_addCharts), button(m_changeSongId), button(m_nameFilesForIds), button(m_resolveDuplicateIds)};
    m_buttons[5]->setObjectName(QStringLiteral("BtnExportCsv"));
    m_buttons[6]->setObjectName(QStringLiteral("BtnImportCsv"));
    // Cancel has no menu, so it keeps its mnemonic.
    m_cancelButton = button(m_cancel);
    m_cancelButton->setText(m_cancel->text());
}

void FolderWindowActions::connectCommands()
{
    connect(m_openFolder, &QAction::triggered, this, [this] {
        const QString folder = m_window.dialogs().askFolder(&m_window, QStringLiteral("Open Music Folder"), m_window.folder());
        if (!folder.isEmpty())
            emit openFolderRequested(folder);
    });
    connect(m_addCharts, &QAction::triggered, m_plans, &FolderPlanCommands::addCharts);
    connect(m_import, &QAction::triggered, m_csv, &CsvCommands::importCsv);
    connect(m_export, &QAction::triggered, m_csv, &CsvCommands::exportCsv);
    connect(m_close, &QAction::triggered, &m_window, &QWidget::close);
    connect(m_undo, &QAction::triggered, m_history, &HistoryCommands::undo);
    connect(m_redo, &QAction::triggered, m_history, &HistoryCommands::redo);
    connect(m_editSelectedAction, &QAction::triggered, m_editSelected, &EditSelectedCommand::editSelected);
    connect(m_changeSongId, &QAction::triggered, m_plans, &FolderPlanCommands::changeSongId);
    connect(m_nameFilesForIds, &QAction::triggered, m_plans, &FolderPlanCommands::nameFilesForIds);
    connect(m_resolveDuplicateIds, &QAction::triggered, m_plans, &FolderPlanCommands::resolveDuplicateIds);
    connect(m_copy, &QAction::triggered, this, &FolderWindowActions::copySelectedRows);
    connect(m_selectAll, &QAction::triggered, m_window.ChartTable, &QTableView::selectAll);
    connect(m_find, &QAction::triggered, this, [this] {
        m_window.FilterBox->setFocus(Qt::ShortcutFocusReason);
        m_window.FilterBox->selectAll();
    });
    connect(m_chooseSongList, &QAction::triggered, m_songList, &SongListCommands::chooseSongList);
    connect(m_updateSongList, &QAction::triggered, m_songList, &SongListCommands::updateSongList);
    connect(m_buildSongList, &QAction::triggered, m_songList, &SongListCommands::buildNewSongList);
    connect(m_rescan, &QAction::triggered, &m_window, &MusicFolderWindow::rescan);
    connect(m_openInEditor, &QAction::triggered, &m_window, &MusicFolderWindow::openCurrentChart);
    connect(m_showInFolder, &QAction::triggered, this, &FolderWindowActions::showInFolder);
    connect(m_cancel, &QAction::triggered, &m_window, &MusicFolderWindow::cancelWork);
    connect(m_window.ChartTable, &QWidget::customContextMenuRequested, this, &FolderWindowActions::showRowsMenu);
    connect(m_window.ChartTable->horizontalHeader(), &QWidget::customContextMenuRequested, this,
            &FolderWindowActions::showColumnsMenu);

    // What the commands did, told on as the window's own news.
    connect(m_editSelected, &EditSelectedCommand::chartSaved, &m_window, &MusicFolderWindow::chartSaved);
    connect(m_plans, &FolderPlanCommands::chartSaved, &m_window, &MusicFolderWindow::chartSaved);
    connect(m_plans, &FolderPlanCommands::chartMoved, &m_window, &MusicFolderWindow::chartMoved);
    connect(m_plans, &FolderPlanCommands::chartsAboutToChange, &m_window, &MusicFolderWindow::chartsAboutToChange);
    connect(m_history, &HistoryCommands::chartSaved, &m_window, &MusicFolderWindow::chartSaved);
    connect(m_history, &HistoryCommands::chartMoved, &m_window, &MusicFolderWindow::chartMoved);
    connect(this, &FolderWindowActions::openFolderRequested, &m_window, &MusicFolderWindow::openFolderRequested);

    // What the enabling hangs on; the history's changes come through the
    // window, which holds the history.
    const QItemSelectionModel *selection = m_window.ChartTable->selectionModel();
    connect(selection, &QItemSelectionModel::selectionChanged, this, &FolderWindowActions::update);
    connect(selection, &QItemSelectionModel::currentRowChanged, this, &FolderWindowActions::update);
    connect(&m_window.work(), &FolderWork::busyChanged, this, &FolderWindowActions::update);
    connect(&m_window.catalogue(), &FolderCatalogue::stateChanged, this, &FolderWindowActions::update);
    connect(&m_window, &MusicFolderWindow::workFinished, this, &FolderWindowActions::update);
}

void FolderWindowActions::update()
{
    const FolderCatalogue &catalogue = m_window.catalogue();
    const bool running = m_window.commandRunning();
    const bool opened = !m_window.folder().isEmpty();
    const bool allRead = catalogue.allChartsRead() && !running;
    const QList<int> rows = m_window.selectedChartRows();
    m_editSelectedAction->setEnabled(!running && !rows.isEmpty());
    m_chooseSongList->setEnabled(!running && opened);
    m_updateSongList->setEnabled(allRead && catalogue.songList().has_value());
    m_buildSongList->setEnabled(allRead);
    m_rescan->setEnabled(!running && opened);
    m_export->setEnabled(!running && catalogue.rowCount() > 0);
    m_import->setEnabled(!running && opened);
    m_cancel->setEnabled(m_window.busy());

    // The folder commands need a folder that could be listed.
    const bool ready = !running && opened && catalogue.listing().error.isEmpty();
    const ChartScan *one = rows.size() == 1 ? catalogue.chartAt(rows.first()) : nullptr;
    m_addCharts->setEnabled(ready);
    m_changeSongId->setEnabled(ready && one && one->header && !one->encrypted);
    m_nameFilesForIds->setEnabled(ready && !catalogue.charts().isEmpty());
    // The whole group is known only once every header is read.
    m_resolveDuplicateIds->setEnabled(ready && catalogue.allChartsRead() && !rows.isEmpty()
                                      && !duplicateIdGroup(catalogue.charts(), m_window.selectedChartPaths()).isEmpty());

    m_selectAll->setEnabled(m_window.ChartTable->model()->rowCount() > 0);
    m_copy->setEnabled(m_window.ChartTable->selectionModel()->hasSelection());
    m_openInEditor->setEnabled(m_window.currentChart() != nullptr);
    m_showInFolder->setEnabled(m_window.currentChart() != nullptr);

    const FileHistory &history = m_window.history();
    const HistoryStep *undoStep = history.undoStep();
    const HistoryStep *redoStep = history.redoStep();
    m_undo->setEnabled(!running && undoStep);
    m_redo->setEnabled(!running && redoStep);
    m_undo->setText(undoStep ? QStringLiteral("&Undo %1").arg(undoStep->name()) : QStringLiteral("&Undo"));
    m_redo->setText(redoStep ? QStringLiteral("&Redo %1").arg(redoStep->name()) : QStringLiteral("&Redo"));
    m_stepsLetGo->setVisible(history.olderStepsDropped());
}

bool FolderWindowActions::canAddCharts() const
{
    return m_addCharts->isEnabled();
}

void FolderWindowActions::addChartFiles(const QStringList &paths)
{
    if (canAddCharts())
        m_plans->addChartFiles(paths);
}

void FolderWindowActions::followReplay(const ReplayReport &report)
{
    m_history->followReplay(report);
}

void FolderWindowActions::showRowsMenu(const QPoint &at)
{
    QMenu menu(&m_window);
    menu.addActions({m_openInEditor, m_editSelectedAction, m_changeSongId, m_nameFilesForIds});
    menu.addSeparator();
    menu.addActions({m_showInFolder, m_copy});
    menu.exec(m_window.ChartTable->viewport()->mapToGlobal(at));
}

void FolderWindowActions::showColumnsMenu(const QPoint &at)
{
    QMenu menu(&m_window);
    menu.addActions(m_columns);
    menu.exec(m_window.ChartTable->horizontalHeader()->mapToGlobal(at));
}

void FolderWindowActions::showInFolder()
{
    if (const ChartScan *chart = m_window.currentChart())
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(chart->path).absolutePath()));
}

void FolderWindowActions::copySelectedRows()
{
    const QTableView *table = m_window.ChartTable;
    const QModelIndexList rows = table->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    // In the order and the columns shown.
    QList<int> order;
    for (const QModelIndex &index : rows)
        order << index.row();
    std::sort(order.begin(), order.end());
    const QHeaderView *header = table->horizontalHeader();
    QList<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column))
            columns << column;
    }
    const auto clean = [](QString text) { return text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' ')); };
    const QAbstractItemModel *shown = table->model();
    QStringList lines;
    QStringList cells;
    for (const int column : columns)
        cells << clean(shown->headerData(column, Qt::Horizontal).toString());
    lines << cells.join(QLatin1Char('\t'));
    for (const int row : order) {
        cells.clear();
        for (const int column : columns)
            cells << clean(shown->index(row, column).data().toString());
        lines << cells.join(QLatin1Char('\t'));
    }
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

} // namespace ojn
