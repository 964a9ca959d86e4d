// The Music Folder window: its controls, keys, selection and status line.
// The commands live beside it by subject: reading the folder, editing the
// selected charts, the song list, CSV export and import.
#include "musicfolderwindow/MusicFolderWindow.h"

#include "musicfolderwindow/ChartPanel.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace ojn {
namespace {

QPushButton *button(QWidget *parent, const char *name, const char *caption, const char *accessibleName)
{
    auto *b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(QLatin1String(accessibleName));
    b->setAutoDefault(false);
    return b;
}

// Widths that fit typical contents, set once: measuring 10,000 rows to
// fit them would cost more than the whole scan. The fields' own are in the
// field table.
int columnWidth(int column)
{
    if (const HeaderFieldInfo *info = fieldOfColumn(column))
        return info->columnWidth;
    switch (column) {
    case FileColumn: return 110;
    case DurationColumn: return 64;
    case ListColumn: return 74;
    default: return 400;
    }
}

} // namespace

MusicFolderWindow::MusicFolderWindow(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_dialogs(dialogs)
    , m_codec(systemAnsiCodePage())
    , m_charts(m_codec, m_locale)
    , m_sorted(m_charts)
    , m_history(std::make_shared<FileHistory>())
{
    setObjectName(QStringLiteral("MusicFolderWindow"));
    setWindowTitle(QStringLiteral("Music Folder"));
    setAccessibleName(QStringLiteral("Music Folder"));
    m_charts.setFindingIcons(style()->standardIcon(QStyle::SP_MessageBoxCritical),
                             style()->standardIcon(QStyle::SP_MessageBoxInformation));
    buildControls();
    setTabOrder();
    connectCommands();
    connectWork();
    buildMenus();
    const QSize room = screen()->availableSize();
    resize(qMin(1280, room.width()), qMin(720, room.height()));
    updateCommands();
    updateStatus();
}

MusicFolderWindow::~MusicFolderWindow() = default;

void MusicFolderWindow::buildControls()
{
    FilterLabel = new QLabel(QStringLiteral("Fil&ter:"), this);
    FilterLabel->setObjectName(QStringLiteral("FilterLabel"));
    FilterBox = new QLineEdit(this);
    FilterBox->setObjectName(QStringLiteral("FilterBox"));
    FilterBox->setAccessibleName(QStringLiteral("Filter charts"));
    FilterBox->setPlaceholderText(QStringLiteral("Title, artist, file, findings... (Ctrl+F)"));
    FilterBox->setClearButtonEnabled(true);
    FilterLabel->setBuddy(FilterBox);

    BtnEditSelected = button(this, "BtnEditSelected", "Edit Selected...", "Edit Selected");
    BtnChooseSongList = button(this, "BtnChooseSongList", "Choose Song List...", "Choose Song List");
    BtnUpdateSongList = button(this, "BtnUpdateSongList", "Update Song List", "Update Song List");
    BtnBuildSongList = button(this, "BtnBuildSongList", "Build New Song List...", "Build New Song List");
    BtnRescan = button(this, "BtnRescan", "Rescan", "Rescan");
    BtnExportCsv = button(this, "BtnExportCsv", "Export...", "Export CSV");
    BtnImportCsv = button(this, "BtnImportCsv", "Import...", "Import CSV");

    ChartTable = new QTableView(this);
    ChartTable->setObjectName(QStringLiteral("ChartTable"));
    ChartTable->setAccessibleName(QStringLiteral("Charts"));
    ChartTable->setModel(&m_sorted);
    ChartTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    ChartTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ChartTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ChartTable->setContextMenuPolicy(Qt::CustomContextMenu);
    // Tab leaves the table for the next control instead of walking cells.
    ChartTable->setTabKeyNavigation(false);
    ChartTable->setWordWrap(false);
    ChartTable->setAlternatingRowColors(true);
    ChartTable->verticalHeader()->hide();
    // One height for every row, so the view never measures rows.
    ChartTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ChartTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    ChartTable->horizontalHeader()->setHighlightSections(false);
    for (int column = 0; column < ChartColumnCount; ++column)
        ChartTable->setColumnWidth(column, columnWidth(column));
    ChartTable->horizontalHeader()->setStretchLastSection(true);
    ChartTable->setSortingEnabled(true);
    ChartTable->sortByColumn(FileColumn, Qt::AscendingOrder);
    ChartTable->installEventFilter(this);

    Panel = new ChartPanel(this);

    StatusText = new QLabel(this);
    StatusText->setObjectName(QStringLiteral("StatusText"));
    StatusText->setAccessibleName(QStringLiteral("Folder status"));
    StatusText->setTextFormat(Qt::PlainText);
    Progress = new QProgressBar(this);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setAccessibleName(QStringLiteral("Progress"));
    Progress->setMinimumWidth(280);
    Progress->hide();
    BtnCancel = button(this, "BtnCancel", "&Cancel", "Cancel");

    auto *commands = new QHBoxLayout;
    commands->addWidget(FilterLabel);
    commands->addWidget(FilterBox, 1);
    for (QPushButton *b : {BtnEditSelected, BtnChooseSongList, BtnUpdateSongList, BtnBuildSongList, BtnRescan, BtnExportCsv, BtnImportCsv})
        commands->addWidget(b);
    buildPlanCommands(commands);

    auto *split = new QSplitter(this);
    split->setObjectName(QStringLiteral("TableAndPanel"));
    split->addWidget(ChartTable);
    split->addWidget(Panel);
    split->setStretchFactor(0, 1);
    split->setChildrenCollapsible(false);

    auto *status = new QHBoxLayout;
    status->addWidget(StatusText, 1);
    status->addWidget(Progress);
    status->addWidget(BtnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(commands);
    layout->addWidget(split, 1);
    layout->addLayout(status);
}

void MusicFolderWindow::setTabOrder()
{
    const QWidget *order[] = {FilterBox, ChartTable, BtnEditSelected, BtnChooseSongList, BtnUpdateSongList,
                              BtnBuildSongList, BtnRescan, BtnExportCsv, BtnImportCsv, BtnAddCharts, BtnChangeSongId,
                              BtnNameFilesForIds, BtnResolveDuplicateIds, Panel->FindingsText, BtnCancel};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(const_cast<QWidget *>(order[i]), const_cast<QWidget *>(order[i + 1]));
}

void MusicFolderWindow::connectCommands()
{
    connect(BtnEditSelected, &QPushButton::clicked, this, &MusicFolderWindow::editSelected);
    connect(BtnChooseSongList, &QPushButton::clicked, this, &MusicFolderWindow::chooseSongList);
    connect(BtnUpdateSongList, &QPushButton::clicked, this, &MusicFolderWindow::updateSongList);
    connect(BtnBuildSongList, &QPushButton::clicked, this, &MusicFolderWindow::buildNewSongList);
    connect(BtnRescan, &QPushButton::clicked, this, &MusicFolderWindow::rescan);
    connect(BtnCancel, &QPushButton::clicked, this, &MusicFolderWindow::cancelWork);
    connect(BtnExportCsv, &QPushButton::clicked, this, &MusicFolderWindow::exportCsv);
    connect(BtnImportCsv, &QPushButton::clicked, this, &MusicFolderWindow::importCsv);
    connect(ChartTable, &QTableView::doubleClicked, this, &MusicFolderWindow::openCurrentChart);

    connect(FilterBox, &QLineEdit::textChanged, &m_sorted, &ChartSortFilter::setFilterText);
    // Ctrl+F and F5 are the Find and Rescan menu items' keys.
    auto *clearFilter = new QShortcut(Qt::Key_Escape, this);
    connect(clearFilter, &QShortcut::activated, FilterBox, &QLineEdit::clear);

    m_panelTimer.setSingleShot(true);
    connect(&m_panelTimer, &QTimer::timeout, this, &MusicFolderWindow::showCurrentChart);
    connect(ChartTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { m_panelTimer.start(0); });
    connect(ChartTable->selectionModel(), &QItemSelectionModel::selectionChanged, this, &MusicFolderWindow::updateCommands);
    connect(&m_charts, &ChartTableModel::modelReset, this, [this] { m_panelTimer.start(0); });
}

bool MusicFolderWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Enter opens the current chart; the view would otherwise pass it on.
    if (watched == ChartTable && event->type() == QEvent::KeyPress) {
        // The view would copy one cell; Copy takes the selected rows.
        if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
            copySelectedRows();
            return true;
        }
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openCurrentChart();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QList<int> MusicFolderWindow::selectedChartRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : ChartTable->selectionModel()->selectedRows()) {
        const int row = m_sorted.mapToSource(index).row();
        if (m_charts.chartAt(row))
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void MusicFolderWindow::openCurrentChart()
{
    const int row = m_sorted.mapToSource(ChartTable->currentIndex()).row();
    if (const ChartScan *chart = m_charts.chartAt(row))
        emit openChartRequested(chart->path);
}

void MusicFolderWindow::showCurrentChart()
{
    const int row = m_sorted.mapToSource(ChartTable->currentIndex()).row();
    Panel->showChart(m_charts.chartAt(row), m_charts.findingsAt(row));
}

void MusicFolderWindow::refreshPanelFindings()
{
    const int row = m_sorted.mapToSource(ChartTable->currentIndex()).row();
    if (m_charts.chartAt(row))
        Panel->showFindings(m_charts.findingsAt(row));
}

void MusicFolderWindow::showProgress(const QString &format, qsizetype done, qsizetype total)
{
    Progress->setRange(0, int(total));
    Progress->setValue(int(done));
    Progress->setFormat(format);
    Progress->show();
}

void MusicFolderWindow::updateCommands()
{
    const bool saving = m_work.saving();
    const bool allRead = m_allHeadersRead && !saving;
    BtnEditSelected->setEnabled(!saving && !selectedChartRows().isEmpty());
    BtnChooseSongList->setEnabled(!saving && !m_folder.isEmpty());
    BtnUpdateSongList->setEnabled(allRead && m_charts.songList().has_value());
    BtnBuildSongList->setEnabled(allRead);
    BtnRescan->setEnabled(!saving && !m_folder.isEmpty());
    BtnExportCsv->setEnabled(!saving && m_charts.rowCount() > 0);
    BtnImportCsv->setEnabled(!saving && !m_folder.isEmpty());
    BtnCancel->setEnabled(busy());
    updatePlanCommands();
    updateMenus();
}

void MusicFolderWindow::updateStatus()
{
    if (!m_listingError.isEmpty()) {
        StatusText->setText(m_listingError);
        return;
    }
    FolderSummary summary = m_charts.summary();
    summary.songListUnreadable = !m_songListError.isEmpty();
    QString text = folderStatusText(summary, m_locale);
    if (m_headerScanCancelled)
        text += QStringLiteral(" \u00b7 reading stopped: Rescan to read them all");
    else if (m_noteCheckCancelled)
        text += QStringLiteral(" \u00b7 note sections not all checked");
    StatusText->setText(text);
    StatusText->setToolTip(m_songListError.isEmpty() ? QDir::toNativeSeparators(m_songListPath) : m_songListError);
}

void MusicFolderWindow::finishWork()
{
    if (m_work.saving())
        return;
    if (m_work.scanning()) {
        // The scan went on behind the save; its progress comes back.
        showProgress(m_scanFormat, m_scanDone, m_scanTotal);
    } else {
        Progress->hide();
    }
    updateCommands();
    updateStatus();
    if (!busy())
        emit workFinished();
}

void MusicFolderWindow::showError(const QString &text)
{
    m_dialogs.showMessage(this, text, QStringLiteral("Error"), MessageIcon::Critical, MessageButtons::Ok);
}

void MusicFolderWindow::showInfo(const QString &text)
{
    m_dialogs.showMessage(this, text, QStringLiteral("Info"), MessageIcon::Information, MessageButtons::Ok);
}

} // namespace ojn
