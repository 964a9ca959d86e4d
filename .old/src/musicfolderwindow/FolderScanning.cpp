// Reading the folder: the header scan, then the note sections' check, both
// on the work thread, their batches added to the table as they come; and
// a chart saved elsewhere read again.
#include "musicfolderwindow/MusicFolderWindow.h"

#include "songlist/SongListLocation.h"
#include "model/ChartFileCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QTableView>

namespace ojn {

namespace {

// Some 15 ms of the window's time at most, however large the batch.
constexpr qsizetype RowsPerStep = 4000;

} // namespace

void MusicFolderWindow::connectWork()
{
    m_stepTimer.setSingleShot(true);
    connect(&m_stepTimer, &QTimer::timeout, this, &MusicFolderWindow::runNextStep);
    connect(&m_work, &FolderWork::folderListed, this, &MusicFolderWindow::onFolderListed);
    connect(&m_work, &FolderWork::headersRead, this, &MusicFolderWindow::onChartsChecked);
    connect(&m_work, &FolderWork::headerScanFinished, this, &MusicFolderWindow::onHeaderScanFinished);
    connect(&m_work, &FolderWork::notesChecked, this, &MusicFolderWindow::onChartsChecked);
    connect(&m_work, &FolderWork::noteCheckFinished, this, &MusicFolderWindow::onNoteCheckFinished);
    connect(&m_work, &FolderWork::chartsEdited, this, &MusicFolderWindow::onChartsEdited);
    connect(&m_work, &FolderWork::editsFinished, this, &MusicFolderWindow::onEditsFinished);
    connect(&m_work, &FolderWork::writeFinished, this, &MusicFolderWindow::onWriteFinished);
    connect(&m_work, &FolderWork::taskProgress, this,
            [this](qsizetype done, qsizetype total) { showProgress(Progress->format(), done, total); });
}

void MusicFolderWindow::openFolder(const QString &folder)
{
    if (m_work.saving()) {
        showError(QStringLiteral("Charts are still being saved. Open the folder once they are."));
        return;
    }
    m_folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    setWindowTitle(QStringLiteral("Music Folder: %1").arg(QDir::toNativeSeparators(m_folder)));
    m_songListPath = songListBeside(m_folder);
    startScan();
}

void MusicFolderWindow::rescan()
{
    if (m_folder.isEmpty() || m_work.saving())
        return;
    // The list chosen stays; it is read again, as the charts are.
    startScan();
}

void MusicFolderWindow::queueStep(std::function<void()> step)
{
    m_steps.append(std::move(step));
    if (!m_stepTimer.isActive())
        m_stepTimer.start(0);
}

void MusicFolderWindow::runNextStep()
{
    if (m_steps.isEmpty())
        return;
    const std::function<void()> step = m_steps.takeFirst();
    if (!m_steps.isEmpty())
        m_stepTimer.start(0);
    step();
    // The last step may follow the work's own end.
    if (!busy())
        finishWork();
}

void MusicFolderWindow::startScan()
{
    m_steps.clear();
    m_allHeadersRead = false;
    m_headerScanCancelled = false;
    m_noteCheckCancelled = false;
    m_listingError.clear();
    m_songListError.clear();
    // The folder is listed while the old rows go and the list is read.
    m_scanStamp = m_charts.nextStamp();
    m_work.startScan(m_folder);
    m_charts.reset({});
    // Read once the table is empty, so comparing costs nothing yet.
    if (!m_songListPath.isEmpty())
        loadSongList(m_songListPath);
    else
        m_charts.setSongList(std::nullopt);
    m_scanFormat = QStringLiteral("Listing the folder");
    m_scanDone = m_scanTotal = 0;
    showProgress(m_scanFormat, 0, 0);
    updateCommands();
    updateStatus();
}

void MusicFolderWindow::cancelWork()
{
    if (m_work.saving())
        m_work.cancelEdits();
    else
        m_work.cancelScan();
}

void MusicFolderWindow::onFolderListed(const FolderListing &listing)
{
    queueStep([this, listing] {
        m_charts.reset(listing);
        m_scanFormat = QStringLiteral("Reading headers: %v of %m");
        applyScanResults({}, 0, listing.chartPaths.size());
        if (!listing.error.isEmpty()) {
            m_listingError = listing.error;
            updateStatus();
            showError(listing.error);
        }
    });
}

void MusicFolderWindow::onChartsChecked(const QList<ChartScan> &scans, qsizetype done, qsizetype total)
{
    for (qsizetype start = 0; start < scans.size(); start += RowsPerStep) {
        const QList<ChartScan> part = scans.mid(start, RowsPerStep);
        const qsizetype doneWithPart = done - (scans.size() - start - part.size());
        queueStep([this, part, doneWithPart, total] { applyScanResults(part, doneWithPart, total); });
    }
    if (scans.isEmpty())
        queueStep([this, done, total] { applyScanResults({}, done, total); });
}

void MusicFolderWindow::applyScanResults(const QList<ChartScan> &scans, qsizetype done, qsizetype total)
{
    if (!scans.isEmpty()) {
        m_charts.applyScans(scans, m_scanStamp);
        refreshPanelFindings();
        // A current row from the start, so the keys work at once.
        if (!ChartTable->currentIndex().isValid())
            ChartTable->setCurrentIndex(m_sorted.index(0, 0));
    }
    m_scanDone = done;
    m_scanTotal = total;
    if (!m_work.saving())
        showProgress(m_scanFormat, done, total);
    updateStatus();
}

void MusicFolderWindow::onHeaderScanFinished(bool cancelled)
{
    queueStep([this, cancelled] {
        // A folder that could not be listed is not read: its listed songs
        // are not "missing", and no song list is built or updated from it.
        m_allHeadersRead = !cancelled && m_listingError.isEmpty();
        m_headerScanCancelled = cancelled;
        m_charts.setAllChartsRead(m_allHeadersRead);
        m_scanFormat = QStringLiteral("Checking note sections: %v of %m");
        // The texts of every row, made while the note check runs, so the
        // first filter or sort by a text column finds them ready.
        for (int first = 0; first < m_charts.rowCount(); first += RowsPerStep)
            queueStep([this, first] { m_charts.prepareTexts(first, RowsPerStep); });
        emit headerScanFinished();
        if (!cancelled)
            applyScanResults({}, 0, m_scanTotal);
        updateCommands();
    });
}

void MusicFolderWindow::onNoteCheckFinished(bool cancelled)
{
    // The step after which nothing is left to do ends the work.
    queueStep([this, cancelled] { m_noteCheckCancelled = cancelled; });
}

void MusicFolderWindow::refreshChart(const QString &path)
{
    const QFileInfo saved(path);
    if (m_folder.isEmpty() || saved.absoluteDir() != QDir(m_folder)
        || !saved.fileName().endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive))
        return;
    const int row = m_charts.rowOfChart(path);
    const QString chartPath = row >= 0 ? m_charts.chartAt(row)->path : QDir(m_folder).filePath(saved.fileName());
    // One chart: read and checked right here.
    m_charts.applyScans({checkChartFile(chartPath)}, m_charts.nextStamp());
    refreshPanelFindings();
    updateStatus();
}

} // namespace ojn
