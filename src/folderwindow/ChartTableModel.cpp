#include "folderwindow/ChartTableModel.h"

#include "model/ChartLayout.h"
#include "model/NumberText.h"
#include "musicfolder/FolderChecks.h"

#include <QBrush>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace ojn {
namespace {

using Column = ChartColumn;

const char *const ColumnTitles[ChartColumnCount] = {
    "File", "ID", "Title", "Artist", "Pattern", "Genre", "BPM",
    "Level Ex", "Level Nx", "Level Hx", "Notes Ex", "Notes Nx", "Notes Hx",
    "Duration", "OJM", "List", "Findings",
};

// The columns the filter looks in.
constexpr Column TextColumns[] = {Column::File,    Column::Title, Column::Artist,     Column::Pattern,
                                  Column::Genre,   Column::Ojm,   Column::ListStatus, Column::Findings};

bool isNumberColumn(Column column)
{
    switch (column) {
    case Column::SongId: case Column::Bpm:
    case Column::LevelEx: case Column::LevelNx: case Column::LevelHx:
    case Column::NotesEx: case Column::NotesNx: case Column::NotesHx:
    case Column::Duration:
        return true;
    default:
        return false;
    }
}

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

// The song's length: the longest of its three charts.
qint32 durationOf(const ChartHeader &header)
{
    return *std::max_element(header.durations.begin(), header.durations.end());
}

QString durationText(qint32 seconds)
{
    if (seconds < 0)
        return integerText(seconds);
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString genreText(qint32 genre)
{
    // The editor reads the low 16 bits; a value outside the list shows as
    // its number rather than as nothing.
    const qint16 value = static_cast<qint16>(genre);
    return value >= 0 && value < GenreCount ? genreNames()[size_t(value)] : integerText(genre);
}

QString countText(qsizetype count, const char *one, const char *many, const QLocale &locale)
{
    return QStringLiteral("%1 %2").arg(locale.toString(qint64(count)), QLatin1String(count == 1 ? one : many));
}

} // namespace

QString folderStatusText(const FolderSummary &summary, const QLocale &locale)
{
    QStringList parts;
    parts << countText(summary.charts, "chart", "charts", locale);
    parts << (summary.withProblems == 0 ? QStringLiteral("no problems")
                                        : QStringLiteral("%1 with problems").arg(locale.toString(qint64(summary.withProblems))));
    if (!summary.hasSongList) {
        parts << (summary.songListUnreadable ? QStringLiteral("the song list could not be read") : QStringLiteral("no song list"));
    } else {
        QStringList list;
        const auto add = [&](qsizetype count, const char *what) {
            if (count > 0)
                list << QStringLiteral("%1 %2").arg(locale.toString(qint64(count)), QLatin1String(what));
        };
        add(summary.stale, "stale");
        add(summary.notListed, "not listed");
        add(summary.listedTwice, "listed twice");
        if (summary.allChartsRead)
            add(summary.missing, "missing");
        if (list.isEmpty())
            list << (summary.allChartsRead ? QStringLiteral("up to date") : QStringLiteral("comparing"));
        parts << QStringLiteral("song list: ") + list.join(QLatin1String(", "));
    }
    return parts.join(QStringLiteral(" \u00b7 "));
}

QString findingLines(const Findings &findings)
{
    QStringList lines;
    for (const Finding &finding : findings)
        lines << (finding.isProblem() ? QStringLiteral("Problem: ") : QStringLiteral("Note: ")) + finding.text;
    return lines.join(QLatin1Char('\n'));
}

ChartTableModel::ChartTableModel(const TextCodec &codec, const QLocale &locale, QObject *parent)
    : QAbstractTableModel(parent)
    , m_codec(codec)
    , m_locale(locale)
{
}

void ChartTableModel::reset(const MusicFolderListing &listing)
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
    m_texts.clear();
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
        if (const std::optional<ChartHeader> &old = m_scans[row].header)
            oldGroups += m_rowsOfSongId.value(old->songId);
        m_scans[row] = scan;
        indexSongId(row, true);
        touched.append(row);
    }
    const int first = int(m_scans.size());
    if (added.isEmpty()) {
        recheckRows(touched + oldGroups);
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
        }
        m_texts.insert(first, added.size(), RowTexts{});
        recheckRows(touched + oldGroups, first);
        endInsertRows();
    }
    if (!touched.isEmpty())
        updateMissingSongs();
}

void ChartTableModel::recheckRows(QList<int> changed, int newRows)
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
        return;
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
        const bool differs = std::binary_search(changed.begin(), changed.end(), row) || status != m_listStatus[row]
            || !sameFindings(folder[i], m_folderFindings[row]);
        if (differs && row < newRows)
            refreshed.append(row);
        m_folderFindings[row] = folder[i];
        m_listStatus[row] = status;
    }
    refreshTexts(refreshed);
}

void ChartTableModel::refreshTexts(const QList<int> &sortedRows)
{
    // One signal per run of neighbouring rows.
    for (qsizetype i = 0; i < sortedRows.size();) {
        qsizetype j = i;
        for (; j < sortedRows.size() && sortedRows[j] == sortedRows[i] + (j - i); ++j)
            m_texts[sortedRows[j]].made = false;
        emit dataChanged(index(sortedRows[i], 0), index(sortedRows[j - 1], ChartColumnCount - 1));
        i = j;
    }
}

void ChartTableModel::updateMissingSongs()
{
    QList<ChartHeader> missing;
    if (m_allChartsRead && m_songList) {
        for (const qsizetype entry : compareSongList(*m_songList, m_scans).missingEntries) {
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
        m_texts.resize(first);
        endRemoveRows();
    }
    if (!missing.isEmpty()) {
        beginInsertRows({}, first, first + int(missing.size()) - 1);
        m_texts.resize(first + missing.size());
        m_missingSongs = std::move(missing);
        endInsertRows();
    }
}

void ChartTableModel::setSongList(const std::optional<SongList> &list)
{
    m_songList = list;
    QList<int> rows(m_scans.size());
    std::iota(rows.begin(), rows.end(), 0);
    recheckRows(rows);
    updateMissingSongs();
}

void ChartTableModel::setAllChartsRead(bool allRead)
{
    m_allChartsRead = allRead;
    updateMissingSongs();
}

void ChartTableModel::prepareTexts(int first, int count) const
{
    for (int row = first; row < qMin(first + count, int(m_texts.size())); ++row)
        static_cast<void>(textsAt(row));
}

const ChartTableModel::RowTexts &ChartTableModel::textsAt(int row) const
{
    RowTexts &texts = m_texts[row];
    if (!texts.made)
        texts = textsOf(row);
    return texts;
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

std::optional<double> ChartTableModel::numberAt(int row, ChartColumn column) const
{
    const ChartHeader *h = headerAt(row);
    if (!h)
        return std::nullopt;
    switch (column) {
    case Column::SongId: return h->songId;
    case Column::Bpm: return std::isnan(h->bpm) ? std::nullopt : std::optional<double>(h->bpm);
    case Column::LevelEx: return h->levels[Ex];
    case Column::LevelNx: return h->levels[Nx];
    case Column::LevelHx: return h->levels[Hx];
    case Column::NotesEx: return h->noteCounts[Ex];
    case Column::NotesNx: return h->noteCounts[Nx];
    case Column::NotesHx: return h->noteCounts[Hx];
    case Column::Duration: return durationOf(*h);
    default: return std::nullopt;
    }
}

ChartTableModel::RowTexts ChartTableModel::textsOf(int row) const
{
    RowTexts texts;
    texts.made = true;
    auto &shown = texts.shown;
    const auto at = [&shown](Column column) -> QString & { return shown[size_t(column)]; };
    const ChartScan *scan = chartAt(row);
    if (scan)
        at(Column::File) = scan->path.mid(scan->path.lastIndexOf(QLatin1Char('/')) + 1);
    if (const ChartHeader *h = headerAt(row)) {
        at(Column::SongId) = integerText(h->songId);
        at(Column::Title) = m_codec.decode(h->title);
        at(Column::Artist) = m_codec.decode(h->artist);
        at(Column::Pattern) = m_codec.decode(h->pattern);
        at(Column::Genre) = genreText(h->genre);
        at(Column::Bpm) = bpmText(h->bpm, m_locale);
        at(Column::LevelEx) = integerText(h->levels[Ex]);
        at(Column::LevelNx) = integerText(h->levels[Nx]);
        at(Column::LevelHx) = integerText(h->levels[Hx]);
        at(Column::NotesEx) = integerText(h->noteCounts[Ex]);
        at(Column::NotesNx) = integerText(h->noteCounts[Nx]);
        at(Column::NotesHx) = integerText(h->noteCounts[Hx]);
        at(Column::Duration) = durationText(durationOf(*h));
        at(Column::Ojm) = m_codec.decode(h->ojmFile);
    }
    if (!scan)
        at(Column::ListStatus) = listStatusName(ListStatus::Missing);
    else if (m_songList)
        at(Column::ListStatus) = listStatusName(m_listStatus[row]);

    if (scan) {
        QString &findings = at(Column::Findings);
        for (const Findings *list : {&scan->findings, &m_folderFindings[row]}) {
            for (const Finding &finding : *list) {
                if (!findings.isEmpty())
                    findings += QLatin1String("; ");
                findings += finding.text;
                texts.severityRank = std::max(texts.severityRank, finding.isProblem() ? 2 : 1);
            }
        }
    }

    for (const Column column : TextColumns)
        texts.folded += at(column) + QLatin1Char('\n');
    texts.folded = std::move(texts.folded).toCaseFolded();
    return texts;
}

bool ChartTableModel::lessThan(int leftRow, int rightRow, int column) const
{
    const auto c = Column(column);
    if (isNumberColumn(c)) {
        const std::optional<double> left = numberAt(leftRow, c), right = numberAt(rightRow, c);
        if (left.has_value() != right.has_value())
            return !left.has_value();
        return left && *left < *right;
    }
    if (c == Column::File) {
        // Straight from the paths, so sorting by file needs no texts made.
        // Songs with no chart have no file name; they go after the charts.
        const ChartScan *left = chartAt(leftRow), *right = chartAt(rightRow);
        if (!left || !right)
            return left && !right;
        const auto name = [](const QString &path) { return QStringView(path).mid(path.lastIndexOf(QLatin1Char('/')) + 1); };
        return name(left->path).compare(name(right->path), Qt::CaseInsensitive) < 0;
    }
    const RowTexts &left = textsAt(leftRow), &right = textsAt(rightRow);
    if (c == Column::Findings && left.severityRank != right.severityRank)
        return left.severityRank < right.severityRank;
    return QString::compare(left.shown[size_t(column)], right.shown[size_t(column)], Qt::CaseInsensitive) < 0;
}

bool ChartTableModel::matches(int row, const QString &foldedNeedle) const
{
    return textsAt(row).folded.contains(foldedNeedle);
}

int ChartTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_texts.size());
}

int ChartTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ChartColumnCount;
}

QVariant ChartTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_texts.size())
        return {};
    const int row = index.row();
    const auto column = Column(index.column());
    const RowTexts &texts = textsAt(row);
    const ChartScan *scan = chartAt(row);
    switch (role) {
    case Qt::DisplayRole:
        return texts.shown[size_t(column)];
    case Qt::ToolTipRole:
        if (column == Column::File && scan)
            return scan->encrypted ? QStringLiteral("%1 (encrypted: shown, not editable)").arg(scan->path) : scan->path;
        if (column == Column::Findings && texts.severityRank > 0)
            return findingLines(findingsAt(row));
        if (!scan)
            return QStringLiteral("Listed in the song list, but no chart in the folder has this song ID.");
        return {};
    case Qt::DecorationRole:
        if (column == Column::Findings && texts.severityRank > 0)
            return texts.severityRank == 2 ? m_problemIcon : m_noteIcon;
        return {};
    case Qt::ForegroundRole:
        if (!scan)
            return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::FontRole:
        if (scan && scan->encrypted) {
            QFont italic;
            italic.setItalic(true);
            return italic;
        }
        return {};
    case Qt::TextAlignmentRole:
        return isNumberColumn(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
        return {};
    }
}

QVariant ChartTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ChartColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QLatin1String(ColumnTitles[section]);
    if (role == Qt::ToolTipRole && Column(section) == Column::Duration)
        return QStringLiteral("The song's length (m:ss), the longest of its Ex, Nx and Hx charts");
    if (role == Qt::ToolTipRole && Column(section) == Column::ListStatus)
        return QStringLiteral("How the song list holds the chart");
    return {};
}

Qt::ItemFlags ChartTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace ojn
