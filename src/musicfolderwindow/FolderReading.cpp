// Reading the folder: the header scan, then the note sections' check, both
// on the work's scan thread, their batches added to the catalogue as they
// come; and a chart saved elsewhere read again.
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
// Making a row's texts costs more than adding it.
constexpr int TextRowsPerStep = 1000;

} // namespace

void MusicFolderWindow::connectReading()
{
    m_stepTimer.setSingleShot(true);
    connect(&m_stepTimer, &QTimer::timeout, this, &MusicFolderWindow::runNextStep);
    connect(&m_work, &FolderWork::folderListed, this, &MusicFolderWindow::onFolderListed);
    connect(&m_work, &FolderWork::headersRead, this, &MusicFolderWindow::onChartsChecked);
    connect(&m_work, &FolderWork::headerScanFinished, this, &MusicFolderWindow::onHeaderScanFinished);
    connect(&m_work, &FolderWork::notesChecked, this, &MusicFolderWindow::onChartsChecked);
    // The step after which nothing is left to do ends the work.
    connect(&m_work, &FolderWork::noteCheckFinished, this,
            [this](bool cancelled) { queueStep([this, cancelled] { m_noteCheckCancelled = cancelled; }); });
    connect(&m_work, &FolderWork::taskProgress, this,
            [this](qsizetype done, qsizetype total) { showProgress(m_progress->format(), done, total); });
}

void MusicFolderWindow::openFolder(const QString &folder)
{
    if (commandRunning()) {
        showError(QStringLiteral("Charts are still being saved. Open the folder once they are."));
        return;
    }
    m_folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    setWindowTitle(QStringLiteral("Music Folder: %1").arg(QDir::toNativeSeparators(m_folder)));
    startScan(songListBeside(m_folder));
}

void MusicFolderWindow::rescan()
{
    rescanWith(m_catalogue.songListPath());
}

void MusicFolderWindow::rescanWith(const QString &songListPath)
{
    if (m_folder.isEmpty() || commandRunning())
        return;
    startScan(songListPath);
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
        endProgress();
}

void MusicFolderWindow::startScan(const QString &songListPath)
{
    m_steps.clear();
    m_headerScanCancelled = false;
    m_noteCheckCancelled = false;
    // The folder is listed while the old rows go and the list is read.
    m_scanStamp = m_catalogue.nextStamp();
    m_work.startScan(m_folder);
    m_catalogue.reset({});
    // Read once the table is empty, so comparing costs nothing yet.
    static_cast<void>(m_catalogue.loadSongList(songListPath));
    m_scanFormat = QStringLiteral("Listing the folder");
    m_scanDone = m_scanTotal = 0;
    showProgress(m_scanFormat, 0, 0);
    updateStatus();
}

void MusicFolderWindow::onFolderListed(const FolderListing &listing)
{
    queueStep([this, listing] {
        m_catalogue.reset(listing);
        m_scanFormat = QStringLiteral("Reading headers: %v of %m");
        applyScanResults({}, 0, listing.chartPaths.size());
        if (!listing.error.isEmpty())
            showError(listing.error);
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
        m_catalogue.applyScans(scans, m_scanStamp);
        // A current row from the start, so the keys work at once.
        if (!ChartTable->currentIndex().isValid())
            ChartTable->setCurrentIndex(m_sorted.index(0, 0));
    }
    m_scanDone = done;
    m_scanTotal = total;
    if (!commandRunning())
        showProgress(m_scanFormat, done, total);
}

void MusicFolderWindow::onHeaderScanFinished(bool cancelled)
{
    queueStep([this, cancelled] {
        m_headerScanCancelled = cancelled;
        // A folder that could not be listed is not read: its listed songs
        // are not "missing", and no song list is built or updated from it.
        m_catalogue.setAllChartsRead(!cancelled && m_catalogue.listing().error.isEmpty());
        m_scanFormat = QStringLiteral("Checking note sections: %v of %m");
        // The texts of every row, made while the note check runs, so the
        // first filter or sort by a text column finds them ready.
        for (int first = 0; first < m_table.rowCount(); first += TextRowsPerStep)
            queueStep([this, first] { m_table.prepareTexts(first, TextRowsPerStep); });
        emit headerScanFinished();
        if (!cancelled)
            applyScanResults({}, 0, m_scanTotal);
    });
}

void MusicFolderWindow::refreshChart(const QString &path)
{
    const QFileInfo saved(path);
    if (m_folder.isEmpty() || saved.absoluteDir() != QDir(m_folder)
        || !saved.fileName().endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive))
        return;
    const int row = m_catalogue.rowOfChart(path);
    const QString chartPath = row >= 0 ? m_catalogue.chartAt(row)->path : QDir(m_folder).filePath(saved.fileName());
    // One chart: read and checked right here.
    m_catalogue.applyScans({checkChartFile(chartPath)}, m_catalogue.nextStamp());
    updateStatus();
}

} // namespace ojn
