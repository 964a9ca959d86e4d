// The table's rows: adding and replacing charts as their checks come in,
// the checks across the folder and against the song list, and the rows of
// listed songs with no chart. What each cell shows is in ChartTableTexts.cpp.
#include "musicfolderwindow/ChartTableModel.h"

#include "folderchecks/FolderChecks.h"

#include <QFileInfo>

#include <algorithm>
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

ChartTableModel::ChartTableModel(const TextCodec &codec, const QLocale &locale, QObject *parent)
    : QAbstractTableModel(parent)
    , m_codec(codec)
    , m_locale(locale)
{
}

void ChartTableModel::reset(const FolderListing &listing)
{
    beginResetModel();
    m_listing = listing;
    m_allChartsRead = false;
    m_scans.clear();
    m_stamps.clear();
    m_folderFindings.clear();
    m_listStatus.clear();
    m_rowOfPath.clear();
    m_rowsOfSongId.clear();
    m_missingSongs.clear();
    m_cache.clear();
    endResetModel();
}

void ChartTableModel::indexSongId(int row, bool add)
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

void ChartTableModel::applyScans(const QList<ChartScan> &scans, quint64 stamp)
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
        beginInsertRows({}, first, first + int(added.size()) - 1);
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
        m_cache.insert(first, added.size(), RowCache{});
        refreshed = recheckRows(touched + oldGroups);
        endInsertRows();
        // The new rows' texts are made when first needed; the rows shown
        // before are told once the insertion is over.
        refreshed.erase(std::lower_bound(refreshed.begin(), refreshed.end(), first), refreshed.end());
    }
    refreshTexts(refreshed);
    if (songIdsChanged)
        updateMissingSongs();
}

QList<int> ChartTableModel::recheckRows(QList<int> changed)
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
    const SongListComparison compared = m_songList ? compareSongList(*m_songList, charts) : SongListComparison{};
    QList<int> refreshed;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const int row = rows[i];
        const ListStatus status = m_songList ? compared.charts[i].status : ListStatus::NotListed;
        if (std::binary_search(changed.begin(), changed.end(), row) || status != m_listStatus[row]
            || !sameFindings(folder[i], m_folderFindings[row]))
            refreshed.append(row);
        m_folderFindings[row] = folder[i];
        m_listStatus[row] = status;
    }
    return refreshed;
}

void ChartTableModel::refreshTexts(const QList<int> &sortedRows)
{
    // One signal per run of neighbouring rows.
    for (qsizetype i = 0; i < sortedRows.size();) {
        qsizetype j = i;
        for (; j < sortedRows.size() && sortedRows[j] == sortedRows[i] + (j - i); ++j)
            m_cache[sortedRows[j]] = RowCache{};
        emit dataChanged(index(sortedRows[i], 0), index(sortedRows[j - 1], ChartColumnCount - 1));
        i = j;
    }
}

void ChartTableModel::updateMissingSongs(const SongListComparison *compared)
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
    const int first = int(m_scans.size());
    if (!m_missingSongs.isEmpty()) {
        beginRemoveRows({}, first, first + int(m_missingSongs.size()) - 1);
        m_missingSongs.clear();
        m_cache.resize(first);
        endRemoveRows();
    }
    if (!missing.isEmpty()) {
        beginInsertRows({}, first, first + int(missing.size()) - 1);
        m_cache.resize(first + missing.size());
        m_missingSongs = std::move(missing);
        endInsertRows();
    }
}

void ChartTableModel::setSongList(const std::optional<SongList> &list)
{
    m_songList = list;
    // The folder's own findings do not hang on the list, so only the list
    // statuses are worked out again, in one comparison for the rows and the
    // songs without a chart.
    const SongListComparison compared = m_songList ? compareSongList(*m_songList, m_scans) : SongListComparison{};
    for (qsizetype row = 0; row < m_scans.size(); ++row)
        m_listStatus[row] = m_songList ? compared.charts[row].status : ListStatus::NotListed;
    QList<int> rows(m_scans.size());
    std::iota(rows.begin(), rows.end(), 0);
    refreshTexts(rows);
    updateMissingSongs(&compared);
}

void ChartTableModel::setAllChartsRead(bool allRead)
{
    m_allChartsRead = allRead;
    updateMissingSongs();
}

void ChartTableModel::setFindingIcons(const QIcon &problem, const QIcon &note)
{
    m_problemIcon = problem;
    m_noteIcon = note;
}

FolderSummary ChartTableModel::summary() const
{
    FolderSummary summary;
    summary.charts = m_scans.size();
    for (int row = 0; row < m_scans.size(); ++row) {
        if (hasProblem(m_scans[row].findings) || hasProblem(m_folderFindings[row]))
            ++summary.withProblems;
    }
    summary.hasSongList = m_songList.has_value();
    summary.allChartsRead = m_allChartsRead;
    if (m_songList) {
        summary.stale = m_listStatus.count(ListStatus::Stale);
        summary.notListed = m_listStatus.count(ListStatus::NotListed);
        summary.listedTwice = m_listStatus.count(ListStatus::ListedTwice);
    }
    summary.missing = m_missingSongs.size();
    return summary;
}

const ChartScan *ChartTableModel::chartAt(int row) const
{
    return row >= 0 && row < m_scans.size() ? &m_scans[row] : nullptr;
}

const ChartHeader *ChartTableModel::headerAt(int row) const
{
    if (const ChartScan *scan = chartAt(row))
        return scan->header ? &*scan->header : nullptr;
    const qsizetype song = row - m_scans.size();
    return song >= 0 && song < m_missingSongs.size() ? &m_missingSongs[song] : nullptr;
}

Findings ChartTableModel::findingsAt(int row) const
{
    const ChartScan *scan = chartAt(row);
    return scan ? scan->findings + m_folderFindings.value(row) : Findings{};
}

int ChartTableModel::rowOfChart(const QString &path) const
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

int ChartTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_cache.size());
}

int ChartTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ChartColumnCount;
}

Qt::ItemFlags ChartTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace ojn
