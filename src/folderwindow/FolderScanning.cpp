// Reading the folder: the header scan, then the note sections' check, both
// on the work thread, their batches added to the table as they come; and
// a chart saved elsewhere read again.
#include "folderwindow/MusicFolderWindow.h"

#include "folderwindow/SongListLocation.h"
#include "model/ChartFileCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QTableView>

namespace ojn {

void MusicFolderWindow::connectWork()
{
    connect(&m_work, &FolderWork::folderListed, this, &MusicFolderWindow::onFolderListed);
    connect(&m_work, &FolderWork::headersRead, this, &MusicFolderWindow::onHeadersRead);
    connect(&m_work, &FolderWork::headerScanFinished, this, &MusicFolderWindow::onHeaderScanFinished);
    connect(&m_work, &FolderWork::notesChecked, this, &MusicFolderWindow::onNotesChecked);
    connect(&m_work, &FolderWork::noteCheckFinished, this, &MusicFolderWindow::onNoteCheckFinished);
    connect(&m_work, &FolderWork::chartsEdited, this, &MusicFolderWindow::onChartsEdited);
    connect(&m_work, &FolderWork::editsFinished, this, &MusicFolderWindow::onEditsFinished);
    connect(&m_work, &FolderWork::writeFinished, this, &MusicFolderWindow::onWriteFinished);
}

void MusicFolderWindow::openFolder(const QString &folder)
{
    if (m_work.saving()) {
        showError(QStringLiteral("Charts are still being saved. Open the folder once they are."));
        return;
    }
    m_folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    setWindowTitle(QStringLiteral("Music Folder - %1").arg(QDir::toNativeSeparators(m_folder)));
    m_songListPath.clear();
    m_songListError.clear();
    const QString beside = songListBeside(m_folder);
    if (!beside.isEmpty())
        loadSongList(beside);
    else
        m_charts.setSongList(std::nullopt);
    startScan();
}

void MusicFolderWindow::rescan()
{
    if (m_folder.isEmpty() || m_work.saving())
        return;
    // The list chosen stays; it is read again, as the charts are.
    if (!m_songListPath.isEmpty())
        loadSongList(m_songListPath);
    startScan();
}

void MusicFolderWindow::startScan()
{
    m_allHeadersRead = false;
    m_headerScanCancelled = false;
    m_noteCheckCancelled = false;
    m_listingError.clear();
    m_charts.reset({});
    m_scanStamp = m_charts.nextStamp();
    m_work.startScan(m_folder);
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

void MusicFolderWindow::onFolderListed(const MusicFolderListing &listing)
{
    m_charts.reset(listing);
    if (!listing.error.isEmpty()) {
        m_listingError = listing.error;
        showError(listing.error);
    }
    m_scanFormat = QStringLiteral("Reading headers: %v of %m");
    onHeadersRead({}, 0, listing.chartPaths.size());
}

void MusicFolderWindow::onHeadersRead(const QList<ChartScan> &scans, qsizetype done, qsizetype total)
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
    m_allHeadersRead = !cancelled;
    m_headerScanCancelled = cancelled;
    m_charts.setAllChartsRead(!cancelled);
    m_scanFormat = QStringLiteral("Checking note sections: %v of %m");
    emit headerScanFinished();
    if (cancelled)
        finishWork();
    else
        onHeadersRead({}, 0, m_scanTotal);
    updateCommands();
}

void MusicFolderWindow::onNotesChecked(const QList<ChartScan> &scans, qsizetype done, qsizetype total)
{
    onHeadersRead(scans, done, total);
}

void MusicFolderWindow::onNoteCheckFinished(bool cancelled)
{
    m_noteCheckCancelled = cancelled;
    finishWork();
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
