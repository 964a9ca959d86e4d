// The Music Folder window: its controls, keys, selection, status line and
// progress. How it reads the folder is in FolderReading.cpp; its commands
// are in FolderWindowActions and the command classes.
#include "musicfolderwindow/MusicFolderWindow.h"

#include "musicfolderwindow/ChartPanel.h"
#include "musicfolderwindow/FolderWindowActions.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
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
    case FindingsColumn: return 260;
    default: return 400;
    }
}

// The columns that say what needs attention, next to the file name, so
// they are in view at the window's first size.
constexpr int AttentionColumns[] = {ListColumn, FindingsColumn};

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

MusicFolderWindow::MusicFolderWindow(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_dialogs(dialogs)
    , m_codec(systemAnsiCodePage())
    , m_catalogue(m_codec)
    , m_table(m_catalogue, m_codec, m_locale)
    , m_sorted(m_table)
    , m_history(std::make_shared<FileHistory>())
{
    setObjectName(QStringLiteral("MusicFolderWindow"));
    setWindowTitle(QStringLiteral("Music Folder"));
    setAccessibleName(QStringLiteral("Music Folder"));
    setAcceptDrops(true); // charts dropped are added
    const auto releaseLater = [this](std::shared_ptr<void> rows) { m_work.releaseLater(std::move(rows)); };
    m_catalogue.setRelease(releaseLater);
    m_table.setRelease(releaseLater);
    m_table.setFindingIcons(style()->standardIcon(QStyle::SP_MessageBoxCritical),
                            style()->standardIcon(QStyle::SP_MessageBoxInformation));
    buildControls();
    setTabOrder();
    connectReading();
    setHistory(m_history);
    const QSize room = screen()->availableSize();
    resize(qMin(1280, room.width()), qMin(720, room.height()));
    updateStatus();
}

MusicFolderWindow::~MusicFolderWindow() = default;

void MusicFolderWindow::buildControls()
{
    m_filterLabel = new QLabel(QStringLiteral("Fil&ter:"), this);
    m_filterLabel->setObjectName(QStringLiteral("FilterLabel"));
    FilterBox = new QLineEdit(this);
    FilterBox->setObjectName(QStringLiteral("FilterBox"));
    FilterBox->setAccessibleName(QStringLiteral("Filter charts"));
    FilterBox->setPlaceholderText(QStringLiteral("Title, artist, file, findings... (Ctrl+F)"));
    FilterBox->setClearButtonEnabled(true);
    m_filterLabel->setBuddy(FilterBox);

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
    QHeaderView *header = ChartTable->horizontalHeader();
    header->setHighlightSections(false);
    for (int column = 0; column < ChartColumnCount; ++column)
        ChartTable->setColumnWidth(column, columnWidth(column));
    for (int i = 0; i < int(std::size(AttentionColumns)); ++i)
        header->moveSection(header->visualIndex(AttentionColumns[i]), 1 + i);
    header->setStretchLastSection(true);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    ChartTable->setSortingEnabled(true);
    ChartTable->sortByColumn(FileColumn, Qt::AscendingOrder);
    ChartTable->installEventFilter(this);

    Panel = new ChartPanel(this);

    StatusText = new QLabel(this);
    StatusText->setObjectName(QStringLiteral("StatusText"));
    StatusText->setAccessibleName(QStringLiteral("Folder status"));
    StatusText->setTextFormat(Qt::PlainText);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("Progress"));
    m_progress->setAccessibleName(QStringLiteral("Progress"));
    m_progress->setMinimumWidth(280);
    m_progress->hide();

    // The commands need the table for their selection and menus.
    m_actions = new FolderWindowActions(*this);

    auto *commands = new QHBoxLayout;
    commands->addWidget(m_filterLabel);
    commands->addWidget(FilterBox, 1);
    for (QPushButton *button : m_actions->buttons())
        commands->addWidget(button);

    auto *split = new QSplitter(this);
    split->setObjectName(QStringLiteral("TableAndPanel"));
    split->addWidget(ChartTable);
    split->addWidget(Panel);
    split->setStretchFactor(0, 1);
    split->setChildrenCollapsible(false);

    auto *status = new QHBoxLayout;
    status->addWidget(StatusText, 1);
    status->addWidget(m_progress);
    status->addWidget(m_actions->cancelButton());

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(m_actions->menuBar());
    layout->addLayout(commands);
    layout->addWidget(split, 1);
    layout->addLayout(status);

    connect(ChartTable, &QTableView::doubleClicked, this, &MusicFolderWindow::openCurrentChart);
    connect(FilterBox, &QLineEdit::textChanged, &m_sorted, &ChartSortFilter::setFilterText);
    // Ctrl+F and F5 are the Find and Rescan menu items' keys.
    auto *clearFilter = new QShortcut(Qt::Key_Escape, this);
    connect(clearFilter, &QShortcut::activated, FilterBox, &QLineEdit::clear);

    m_panelTimer.setSingleShot(true);
    connect(&m_panelTimer, &QTimer::timeout, this, &MusicFolderWindow::showCurrentChart);
    connect(ChartTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { m_panelTimer.start(0); });
    connect(&m_table, &ChartTableModel::modelReset, this, [this] { m_panelTimer.start(0); });
    connect(&m_catalogue, &FolderCatalogue::rowsChanged, this, &MusicFolderWindow::refreshPanelFindings);
    // The status line counts every row: once per turn of the event loop.
    m_statusTimer.setSingleShot(true);
    connect(&m_statusTimer, &QTimer::timeout, this, &MusicFolderWindow::updateStatus);
    const auto statusLater = [this] { m_statusTimer.start(0); };
    connect(&m_catalogue, &FolderCatalogue::rowsChanged, this, statusLater);
    connect(&m_catalogue, &FolderCatalogue::chartsAdded, this, statusLater);
    connect(&m_catalogue, &FolderCatalogue::missingSongsChanged, this, statusLater);
    connect(&m_catalogue, &FolderCatalogue::stateChanged, this, &MusicFolderWindow::updateStatus);
}

void MusicFolderWindow::setTabOrder()
{
    QList<QWidget *> order{FilterBox, ChartTable};
    for (QPushButton *button : m_actions->buttons())
        order << button;
    order << Panel->FindingsText << m_actions->cancelButton();
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

void MusicFolderWindow::setHistory(std::shared_ptr<FileHistory> history)
{
    for (const QMetaObject::Connection &link : std::as_const(m_historyLinks))
        disconnect(link);
    m_history = history ? std::move(history) : std::make_shared<FileHistory>();
    m_historyLinks = {
        connect(m_history.get(), &FileHistory::changed, m_actions, &FolderWindowActions::update),
        connect(m_history.get(), &FileHistory::progress, this,
                [this](qsizetype done, qsizetype total) { showProgress(m_progress->format(), done, total); }),
        connect(m_history.get(), &FileHistory::replayed, m_actions, &FolderWindowActions::followReplay),
    };
    m_actions->update();
}

bool MusicFolderWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Enter opens the current chart; the view would otherwise pass it on.
    if (watched == ChartTable && event->type() == QEvent::KeyPress) {
        // The view would copy one cell; Copy takes the selected rows.
        if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
            m_actions->copySelectedRows();
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

void MusicFolderWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (m_actions->canAddCharts() && !droppedCharts(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MusicFolderWindow::dropEvent(QDropEvent *event)
{
    const QStringList charts = droppedCharts(event->mimeData());
    if (charts.isEmpty())
        return;
    event->acceptProposedAction();
    m_actions->addChartFiles(charts);
}

QList<int> MusicFolderWindow::selectedChartRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : ChartTable->selectionModel()->selectedRows()) {
        const int row = m_sorted.mapToSource(index).row();
        if (m_catalogue.chartAt(row))
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList MusicFolderWindow::selectedChartPaths() const
{
    QStringList paths;
    for (const int row : selectedChartRows())
        paths << m_catalogue.chartAt(row)->path;
    return paths;
}

const ChartScan *MusicFolderWindow::currentChart() const
{
    return m_catalogue.chartAt(m_sorted.mapToSource(ChartTable->currentIndex()).row());
}

QList<ChartScan> MusicFolderWindow::chartsInView() const
{
    QList<ChartScan> shown;
    for (int row = 0; row < m_sorted.rowCount(); ++row) {
        if (const ChartScan *chart = m_catalogue.chartAt(m_sorted.mapToSource(m_sorted.index(row, 0)).row()))
            shown << *chart;
    }
    return shown;
}

void MusicFolderWindow::openCurrentChart()
{
    if (const ChartScan *chart = currentChart())
        emit openChartRequested(chart->path);
}

void MusicFolderWindow::showCurrentChart()
{
    const int row = m_sorted.mapToSource(ChartTable->currentIndex()).row();
    Panel->showChart(m_catalogue.chartAt(row), m_catalogue.findingsAt(row));
}

void MusicFolderWindow::refreshPanelFindings()
{
    const int row = m_sorted.mapToSource(ChartTable->currentIndex()).row();
    if (m_catalogue.chartAt(row))
        Panel->showFindings(m_catalogue.findingsAt(row));
}

void MusicFolderWindow::showProgress(const QString &format, qsizetype done, qsizetype total)
{
    // The bar paints itself at once for each new value; some twenty times
    // a second is plenty, but a new piece of work and its end always show.
    const bool same = m_progress->isVisible() && format == m_progress->format() && total == m_progress->maximum();
    if (same && done < total && m_progressShown.isValid() && m_progressShown.elapsed() < 50)
        return;
    m_progressShown.start();
    m_progress->setRange(0, int(total));
    m_progress->setValue(int(done));
    m_progress->setFormat(format);
    m_progress->show();
}

void MusicFolderWindow::endProgress()
{
    if (commandRunning())
        return;
    if (m_work.scanning()) {
        // The scan went on behind the command; its progress comes back.
        showProgress(m_scanFormat, m_scanDone, m_scanTotal);
    } else {
        m_progress->hide();
    }
    updateStatus();
    if (!busy())
        emit workFinished();
}

void MusicFolderWindow::updateStatus()
{
    if (!m_catalogue.listing().error.isEmpty()) {
        StatusText->setText(m_catalogue.listing().error);
        return;
    }
    QString text = folderStatusText(m_catalogue.summary(), m_locale);
    if (m_headerScanCancelled)
        text += QStringLiteral(" \u00b7 reading stopped: Rescan to read them all");
    else if (m_noteCheckCancelled)
        text += QStringLiteral(" \u00b7 note sections not all checked");
    StatusText->setText(text);
    const QString &listError = m_catalogue.songListError();
    StatusText->setToolTip(listError.isEmpty() ? QDir::toNativeSeparators(m_catalogue.songListPath()) : listError);
}

void MusicFolderWindow::cancelWork()
{
    if (m_history->replaying())
        m_history->cancel();
    else if (m_work.taskRunning())
        m_work.cancelTask();
    else
        m_work.cancelScan();
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
