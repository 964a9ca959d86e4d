// The window's menu bar, the table's context menus and the columns shown:
// every command is reachable from the menus, with its standard keys; the
// buttons stay as a tool bar with no mnemonics of their own.
#include "musicfolderwindow/MusicFolderWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHeaderView>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QUrl>

namespace ojn {
namespace {

QAction *action(QMenu *menu, const char *name, const char *text, const QList<QKeySequence> &keys = {})
{
    auto *a = menu->addAction(QString::fromLatin1(text));
    a->setObjectName(QLatin1String(name));
    a->setShortcuts(keys);
    return a;
}

// The columns that say what needs attention, next to the file name, so
// they are in view at the window's first size.
constexpr int AttentionColumns[] = {ListColumn, FindingsColumn};
constexpr int AttentionFindingsWidth = 260;

} // namespace

void MusicFolderWindow::buildMenus()
{
    MenuBar = new QMenuBar(this);
    MenuBar->setObjectName(QStringLiteral("MenuBar"));
    layout()->setMenuBar(MenuBar);

    MnuFile = MenuBar->addMenu(QStringLiteral("&File"));
    ActOpenFolder = action(MnuFile, "ActOpenFolder", "&Open Music Folder...", {QKeySequence::Open});
    MnuFile->addAction(ActAddCharts);
    MnuFile->addSeparator();
    ActImport = action(MnuFile, "ActImport", "&Import...");
    ActExport = action(MnuFile, "ActExport", "&Export...");
    MnuFile->addSeparator();
    // Ctrl+W everywhere, and the system's own Close where it differs.
    QList<QKeySequence> closeKeys{QKeySequence(Qt::CTRL | Qt::Key_W)};
    for (const QKeySequence &key : QKeySequence::keyBindings(QKeySequence::Close))
        if (!closeKeys.contains(key))
            closeKeys << key;
    ActClose = action(MnuFile, "ActClose", "&Close", closeKeys);

    MnuEdit = MenuBar->addMenu(QStringLiteral("&Edit"));
    ActUndo = action(MnuEdit, "ActUndo", "&Undo", {QKeySequence::Undo});
    ActRedo = action(MnuEdit, "ActRedo", "&Redo", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // Shown once the history's bound let older steps go.
    ActStepsLetGo = action(MnuEdit, "ActStepsLetGo", "Older steps were let go to save memory");
    ActStepsLetGo->setEnabled(false);
    ActStepsLetGo->setVisible(false);
    MnuEdit->addSeparator();
    ActEditSelected = action(MnuEdit, "ActEditSelected", "&Edit Selected...");
    MnuEdit->addActions({ActChangeSongId, ActNameFilesForIds, ActResolveDuplicateIds});
    MnuEdit->addSeparator();
    ActCopy = action(MnuEdit, "ActCopy", "&Copy", {QKeySequence::Copy});
    ActSelectAll = action(MnuEdit, "ActSelectAll", "Select &All", {QKeySequence::SelectAll});
    ActFind = action(MnuEdit, "ActFind", "&Find", {QKeySequence::Find});

    MnuSongList = MenuBar->addMenu(QStringLiteral("&Song List"));
    ActChooseSongList = action(MnuSongList, "ActChooseSongList", "&Choose Song List...");
    ActUpdateSongList = action(MnuSongList, "ActUpdateSongList", "&Update Song List");
    ActBuildSongList = action(MnuSongList, "ActBuildSongList", "&Build New Song List...");

    MnuView = MenuBar->addMenu(QStringLiteral("&View"));
    ActRescan = action(MnuView, "ActRescan", "&Rescan", {QKeySequence::Refresh});
    MnuView->addSeparator();
    QHeaderView *header = ChartTable->horizontalHeader();
    for (int column = 0; column < ChartColumnCount; ++column) {
        if (column == FileColumn)
            continue; // the row's name stays
        auto *a = MnuView->addAction(m_charts.headerData(column, Qt::Horizontal).toString());
        a->setObjectName(QStringLiteral("ActColumn%1").arg(column));
        a->setCheckable(true);
        a->setChecked(true);
        connect(a, &QAction::toggled, this, [this, column](bool shown) { ChartTable->setColumnHidden(column, !shown); });
        ActColumns << a;
    }

    ActOpenInEditor = new QAction(QStringLiteral("&Open in Editor"), this);
    ActOpenInEditor->setObjectName(QStringLiteral("ActOpenInEditor"));
    ActShowInFolder = new QAction(QStringLiteral("&Show in Folder"), this);
    ActShowInFolder->setObjectName(QStringLiteral("ActShowInFolder"));

    connect(ActOpenFolder, &QAction::triggered, this, [this] {
        const QString folder = m_dialogs.askFolder(this, QStringLiteral("Open Music Folder"), m_folder);
        if (!folder.isEmpty())
            emit openFolderRequested(folder);
    });
    connect(ActImport, &QAction::triggered, this, &MusicFolderWindow::importCsv);
    connect(ActExport, &QAction::triggered, this, &MusicFolderWindow::exportCsv);
    connect(ActClose, &QAction::triggered, this, &QWidget::close);
    connect(ActUndo, &QAction::triggered, this, &MusicFolderWindow::undo);
    connect(ActRedo, &QAction::triggered, this, &MusicFolderWindow::redo);
    connect(ActEditSelected, &QAction::triggered, this, &MusicFolderWindow::editSelected);
    connect(ActCopy, &QAction::triggered, this, &MusicFolderWindow::copySelectedRows);
    connect(ActSelectAll, &QAction::triggered, ChartTable, &QTableView::selectAll);
    connect(ActFind, &QAction::triggered, this, [this] {
        FilterBox->setFocus(Qt::ShortcutFocusReason);
        FilterBox->selectAll();
    });
    connect(ActChooseSongList, &QAction::triggered, this, &MusicFolderWindow::chooseSongList);
    connect(ActUpdateSongList, &QAction::triggered, this, &MusicFolderWindow::updateSongList);
    connect(ActBuildSongList, &QAction::triggered, this, &MusicFolderWindow::buildNewSongList);
    connect(ActRescan, &QAction::triggered, this, &MusicFolderWindow::rescan);
    connect(ActOpenInEditor, &QAction::triggered, this, &MusicFolderWindow::openCurrentChart);
    connect(ActShowInFolder, &QAction::triggered, this, [this] {
        if (const ChartScan *chart = m_charts.chartAt(m_sorted.mapToSource(ChartTable->currentIndex()).row()))
            QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(chart->path).absolutePath()));
    });

    // The rows' menu and the header's, which shows or hides columns.
    connect(ChartTable, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        menu.addActions({ActOpenInEditor, ActEditSelected, ActChangeSongId, ActNameFilesForIds});
        menu.addSeparator();
        menu.addActions({ActShowInFolder, ActCopy});
        menu.exec(ChartTable->viewport()->mapToGlobal(at));
    });
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QWidget::customContextMenuRequested, this, [this, header](const QPoint &at) {
        QMenu menu(this);
        menu.addActions(ActColumns);
        menu.exec(header->mapToGlobal(at));
    });

    for (int i = 0; i < int(std::size(AttentionColumns)); ++i)
        header->moveSection(header->visualIndex(AttentionColumns[i]), 1 + i);
    ChartTable->setColumnWidth(FindingsColumn, AttentionFindingsWidth);
}

void MusicFolderWindow::updateMenus()
{
    if (!MenuBar)
        return;
    const bool saving = m_work.saving();
    const int current = m_sorted.mapToSource(ChartTable->currentIndex()).row();
    ActImport->setEnabled(BtnImportCsv->isEnabled());
    ActExport->setEnabled(BtnExportCsv->isEnabled());
    ActEditSelected->setEnabled(BtnEditSelected->isEnabled());
    ActChooseSongList->setEnabled(BtnChooseSongList->isEnabled());
    ActUpdateSongList->setEnabled(BtnUpdateSongList->isEnabled());
    ActBuildSongList->setEnabled(BtnBuildSongList->isEnabled());
    ActRescan->setEnabled(BtnRescan->isEnabled());
    ActSelectAll->setEnabled(m_sorted.rowCount() > 0);
    ActCopy->setEnabled(ChartTable->selectionModel()->hasSelection());
    ActOpenInEditor->setEnabled(m_charts.chartAt(current) != nullptr);
    ActShowInFolder->setEnabled(m_charts.chartAt(current) != nullptr);

    const HistoryStep *undoStep = m_history->undoStep();
    const HistoryStep *redoStep = m_history->redoStep();
    ActUndo->setEnabled(!saving && undoStep);
    ActRedo->setEnabled(!saving && redoStep);
    ActUndo->setText(undoStep ? QStringLiteral("&Undo %1").arg(undoStep->name) : QStringLiteral("&Undo"));
    ActStepsLetGo->setVisible(m_history->olderStepsDropped());
    ActRedo->setText(redoStep ? QStringLiteral("&Redo %1").arg(redoStep->name) : QStringLiteral("&Redo"));
}

void MusicFolderWindow::copySelectedRows()
{
    const QModelIndexList rows = ChartTable->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    // In the order and the columns shown.
    QList<int> order;
    for (const QModelIndex &index : rows)
        order << index.row();
    std::sort(order.begin(), order.end());
    const QHeaderView *header = ChartTable->horizontalHeader();
    QList<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column))
            columns << column;
    }
    const auto clean = [](QString text) { return text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' ')); };
    QStringList lines;
    QStringList cells;
    for (const int column : columns)
        cells << clean(m_sorted.headerData(column, Qt::Horizontal).toString());
    lines << cells.join(QLatin1Char('\t'));
    for (const int row : order) {
        cells.clear();
        for (const int column : columns)
            cells << clean(m_sorted.index(row, column).data().toString());
        lines << cells.join(QLatin1Char('\t'));
    }
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

} // namespace ojn
