#include "folderchecks/FolderCatalogue.h"

#include "folderchecks/FolderChecks.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>
#include <numeric>

namespace ojn {
namespace {

bool sameFindings(const Findings &a, const Findings &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Finding &x, const Finding &y) { return x.type == y.type && x.text == y.text; });
}

// Whether a new check of a chart shows what the old one showed.
bool sameChart(const ChartScan &a, const ChartScan &b)
{
    return a.fileSize == b.fileSize && a.encrypted == b.encrypted && a.header.has_value() == b.header.has_value()
        && (!a.header || a.header->bytes == b.header->bytes) && sameFindings(a.findings, b.findings);
}

} // namespace

FolderCatalogue::FolderCatalogue(const TextCodec &codec, QObject *parent)
    : QObject(parent)
    , m_codec(codec)
{
}

void FolderCatalogue::reset(const FolderListing &listing)
{
    emit aboutToReset();
    m_listing = listing;
    m_allChartsRead = false;
    struct Rows {
        QList<ChartScan> scans;
        QList<Findings> folderFindings;
        QHash<QString, int> rowOfPath;
        QHash<qint32, QList<int>> rowsOfSongId;
        QList<ChartHeader> missingSongs;
    };
    auto old = std::make_shared<Rows>(Rows{std::exchange(m_scans, {}), std::exchange(m_folderFindings, {}),
                                           std::exchange(m_rowOfPath, {}), std::exchange(m_rowsOfSongId, {}),
                                           std::exchange(m_missingSongs, {})});
    if (m_release)
        m_release(std::move(old));
    m_stamps.clear();
    m_listStatus.clear();
    emit wasReset();
    emit stateChanged();
}

void FolderCatalogue::indexSongId(int row, bool add)
{
    const std::optional<ChartHeader> &header = m_scans[row].header;
    if (!header)
        return;
    QList<int> &rows = m_rowsOfSongId[header->songId];
    if (add)
        rows.append(row);
    else
        rows.removeOne(row);
}

void FolderCatalogue::applyScans(const QList<ChartScan> &scans, quint64 stamp)
{
    QList<int> touched; // rows whose chart changed, and new rows
    QList<int> oldGroups; // rows that shared a song ID a chart no longer holds
    QList<ChartScan> added;
    // Which listed songs have no chart hangs on the readable charts' song
    // IDs alone, so the list is compared again only when those change.
    bool songIdsChanged = false;
    for (const ChartScan &scan : scans) {
        const int row = m_rowOfPath.value(scan.path, -1);
        if (row < 0) {
            added.append(scan);
            continue;
        }
        if (m_stamps[row] > stamp)
            continue;
        m_stamps[row] = stamp;
        // A note check that found nothing new changes nothing shown.
        if (sameChart(m_scans[row], scan)) {
            m_scans[row] = scan;
            continue;
        }
        indexSongId(row, false);
        const std::optional<ChartHeader> &old = m_scans[row].header;
        if (old)
            oldGroups += m_rowsOfSongId.value(old->songId);
        songIdsChanged = songIdsChanged || old.has_value() != scan.header.has_value()
                      || (old && old->songId != scan.header->songId);
        m_scans[row] = scan;
        indexSongId(row, true);
        touched.append(row);
    }
    const int first = int(m_scans.size());
    QList<int> refreshed;
    if (added.isEmpty()) {
        refreshed = recheckRows(touched + oldGroups);
    } else {
        const int last = first + int(added.size()) - 1;
        emit chartsAboutToBeAdded(first, last);
        for (const ChartScan &scan : added) {
            const int row = int(m_scans.size());
            m_rowOfPath.insert(scan.path, row);
            m_scans.append(scan);
            m_stamps.append(stamp);
            m_folderFindings.append(Findings());
            m_listStatus.append(ListStatus::NotListed);
            indexSongId(row, true);
            touched.append(row);
            songIdsChanged = songIdsChanged || scan.header.has_value();
        }
        refreshed = recheckRows(touched + oldGroups);
        emit chartsAdded(first, last);
        // The new rows are new to all; the rows held before are told of.
        refreshed.erase(std::lower_bound(refreshed.begin(), refreshed.end(), first), refreshed.end());
    }
    if (!refreshed.isEmpty())
        emit rowsChanged(refreshed);
    if (songIdsChanged)
        updateMissingSongs();
}

QList<int> FolderCatalogue::recheckRows(QList<int> changed)
{
    std::sort(changed.begin(), changed.end());
    QList<int> rows = changed;
    for (const int row : changed) {
        if (const std::optional<ChartHeader> &header = m_scans[row].header)
            rows += m_rowsOfSongId.value(header->songId);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.isEmpty())
        return {};
    QList<ChartScan> charts;
    charts.reserve(rows.size());
    for (const int row : rows)
        charts.append(m_scans[row]);
    const QList<Findings> folder = checkFolder(charts, m_listing, m_codec);
    QList<int> refreshed;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const int row = rows[i];
        const ListStatus status = m_songListIndex ? m_songListIndex->stateOf(charts[i]).status : ListStatus::NotListed;
        if (std::binary_search(changed.begin(), changed.end(), row) || status != m_listStatus[row]
            || !sameFindings(folder[i], m_folderFindings[row]))
            refreshed.append(row);
        m_folderFindings[row] = folder[i];
        m_listStatus[row] = status;
    }
    return refreshed;
}

void FolderCatalogue::updateMissingSongs(const SongListComparison *compared)
{
    QList<ChartHeader> missing;
    if (m_allChartsRead && m_songList) {
        const QList<qsizetype> entries =
            compared ? compared->missingEntries : compareSongList(*m_songList, m_scans).missingEntries;
        for (const qsizetype entry : entries) {
            if (std::optional<ChartHeader> header = parseChartHeader(m_songList->entries[entry]))
                missing.append(std::move(*header));
        }
    }
    const bool same = std::equal(missing.begin(), missing.end(), m_missingSongs.begin(), m_missingSongs.end(),
                                 [](const ChartHeader &a, const ChartHeader &b) { return a.bytes == b.bytes; });
    if (same)
        return;
    emit missingSongsAboutToChange();
    m_missingSongs = std::move(missing);
    emit missingSongsChanged();
}

Result<> FolderCatalogue::loadSongList(const QString &path)
{
    m_songListPath = path;
    m_songListError.clear();
    if (path.isEmpty()) {
        setSongList(std::nullopt);
        return Result<>::success();
    }
    Result<SongList> read = readSongListFile(path);
    m_songListError = read.error();
    setSongList(read.ok() ? std::optional(std::move(read).value()) : std::nullopt);
    return read.ok() ? Result<>::success() : Result<>::failure(m_songListError);
}

void FolderCatalogue::useSongList(const QString &path, const SongList &list)
{
    m_songListPath = path;
    m_songListError.clear();
    setSongList(list);
}

void FolderCatalogue::setSongList(std::optional<SongList> list)
{
    m_songList = std::move(list);
    m_songListIndex.reset();
    if (m_songList)
        m_songListIndex.emplace(*m_songList);
    // The folder's own findings do not hang on the list, so only the list
    // statuses are worked out again, in one comparison for the rows and the
    // songs without a chart.
    const SongListComparison compared = m_songList ? compareSongList(*m_songList, m_scans) : SongListComparison{};
    for (qsizetype row = 0; row < m_scans.size(); ++row)
        m_listStatus[row] = m_songList ? compared.charts[row].status : ListStatus::NotListed;
    if (!m_scans.isEmpty()) {
        QList<int> rows(m_scans.size());
        std::iota(rows.begin(), rows.end(), 0);
        emit rowsChanged(rows);
    }
    updateMissingSongs(&compared);
    emit stateChanged();
}

void FolderCatalogue::setAllChartsRead(bool allRead)
{
    m_allChartsRead = allRead;
    updateMissingSongs();
    emit stateChanged();
}

FolderSummary FolderCatalogue::summary() const
{
    FolderSummary summary;
    summary.charts = m_scans.size();
    for (int row = 0; row < m_scans.size(); ++row) {
        if (hasProblem(m_scans[row].findings) || hasProblem(m_folderFindings[row]))
            ++summary.withProblems;
    }
    summary.hasSongList = m_songList.has_value();
    summary.songListUnreadable = !m_songListError.isEmpty();
    summary.allChartsRead = m_allChartsRead;
    if (m_songList) {
        summary.stale = m_listStatus.count(ListStatus::Stale);
        summary.notListed = m_listStatus.count(ListStatus::NotListed);
        summary.listedTwice = m_listStatus.count(ListStatus::ListedTwice);
    }
    summary.missing = m_missingSongs.size();
    return summary;
}

const ChartScan *FolderCatalogue::chartAt(int row) const
{
    return row >= 0 && row < m_scans.size() ? &m_scans[row] : nullptr;
}

const ChartHeader *FolderCatalogue::headerAt(int row) const
{
    if (const ChartScan *scan = chartAt(row))
        return scan->header ? &*scan->header : nullptr;
    const qsizetype song = row - m_scans.size();
    return song >= 0 && song < m_missingSongs.size() ? &m_missingSongs[song] : nullptr;
}

const Findings &FolderCatalogue::folderFindingsAt(int row) const
{
    static const Findings none;
    return row >= 0 && row < m_folderFindings.size() ? m_folderFindings[row] : none;
}

Findings FolderCatalogue::findingsAt(int row) const
{
    const ChartScan *scan = chartAt(row);
    return scan ? scan->findings + m_folderFindings[row] : Findings{};
}

std::optional<ListStatus> FolderCatalogue::listStatusAt(int row) const
{
    if (row >= m_scans.size() && row < rowCount())
        return ListStatus::Missing;
    if (!m_songList || row < 0 || row >= m_scans.size())
        return std::nullopt;
    return m_listStatus[row];
}

int FolderCatalogue::rowOfChart(const QString &path) const
{
    if (const int row = m_rowOfPath.value(path, -1); row >= 0)
        return row;
    const QFileInfo wanted(path);
    for (int row = 0; row < m_scans.size(); ++row) {
        const QFileInfo candidate(m_scans[row].path);
        if (candidate.fileName().compare(wanted.fileName(), Qt::CaseInsensitive) == 0 && candidate == wanted)
            return row;
    }
    return -1;
}

} // namespace ojn
