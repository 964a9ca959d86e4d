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
    m_comparison = {};
    m_rowOfPath.clear();
    m_missingSongs.clear();
    m_texts.clear();
    endResetModel();
}

void ChartTableModel::applyScans(const QList<ChartScan> &scans, quint64 stamp)
{
    QList<int> changed;
    QList<ChartScan> added;
    for (const ChartScan &scan : scans) {
        const int row = m_rowOfPath.value(scan.path, -1);
        if (row < 0) {
            added.append(scan);
        } else if (m_stamps[row] <= stamp) {
            m_scans[row] = scan;
            m_stamps[row] = stamp;
            changed.append(row);
        }
    }
    if (added.isEmpty()) {
        recheckFolder(changed);
        return;
    }
    const QList<Findings> oldFolder = m_folderFindings;
    const QList<ChartListState> oldStates = m_comparison.charts;
    const int first = int(m_scans.size());
    beginInsertRows({}, first, first + int(added.size()) - 1);
    for (const ChartScan &scan : added) {
        m_rowOfPath.insert(scan.path, int(m_scans.size()));
        m_scans.append(scan);
        m_stamps.append(stamp);
    }
    m_folderFindings = checkFolder(m_scans, m_listing, m_codec);
    m_comparison = m_songList ? compareSongList(*m_songList, m_scans) : SongListComparison{};
    m_texts.insert(first, added.size(), RowTexts{});
    for (int row = first; row < m_scans.size(); ++row)
        m_texts[row] = textsOf(row);
    endInsertRows();

    for (int row = 0; row < first; ++row) {
        const bool stateChanged = row < oldStates.size() && row < m_comparison.charts.size()
            && oldStates[row].status != m_comparison.charts[row].status;
        if (stateChanged || !sameFindings(oldFolder[row], m_folderFindings[row]))
            changed.append(row);
    }
    refreshTexts(changed);
    showMissingSongs();
}

void ChartTableModel::recheckFolder(QList<int> changedRows)
{
    const QList<Findings> folder = checkFolder(m_scans, m_listing, m_codec);
    SongListComparison comparison = m_songList ? compareSongList(*m_songList, m_scans) : SongListComparison{};
    for (int row = 0; row < m_scans.size(); ++row) {
        const ListStatus before = row < m_comparison.charts.size() ? m_comparison.charts[row].status : ListStatus::NotListed;
        const ListStatus after = row < comparison.charts.size() ? comparison.charts[row].status : ListStatus::NotListed;
        if (before != after || m_comparison.charts.size() != comparison.charts.size()
            || !sameFindings(folder[row], m_folderFindings.value(row)))
            changedRows.append(row);
    }
    m_folderFindings = folder;
    m_comparison = std::move(comparison);
    refreshTexts(changedRows);
    showMissingSongs();
}

void ChartTableModel::refreshTexts(const QList<int> &rows)
{
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    // One signal per run of neighbouring rows.
    for (qsizetype i = 0; i < sorted.size();) {
        qsizetype j = i;
        for (; j < sorted.size() && sorted[j] == sorted[i] + (j - i); ++j)
            m_texts[sorted[j]] = textsOf(sorted[j]);
        emit dataChanged(index(sorted[i], 0), index(sorted[j - 1], ChartColumnCount - 1));
        i = j;
    }
}

void ChartTableModel::showMissingSongs()
{
    QList<ChartHeader> missing;
    if (m_allChartsRead && m_songList) {
        for (const qsizetype entry : m_comparison.missingEntries) {
            if (std::optional<ChartHeader> header = parseChartHeader(m_songList->entries[entry]))
                missing.append(std::move(*header));
        }
    }
    const auto sameSongs = [&] {
        return std::equal(missing.begin(), missing.end(), m_missingSongs.begin(), m_missingSongs.end(),
                          [](const ChartHeader &a, const ChartHeader &b) { return a.bytes == b.bytes; });
    };
    if (sameSongs())
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
        m_missingSongs = std::move(missing);
        for (int row = first; row < first + m_missingSongs.size(); ++row)
            m_texts.append(textsOf(row));
        endInsertRows();
    }
}

void ChartTableModel::setSongList(const std::optional<SongList> &list)
{
    m_songList = list;
    recheckFolder({});
}

void ChartTableModel::setAllChartsRead(bool allRead)
{
    m_allChartsRead = allRead;
    showMissingSongs();
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
    summary.stale = m_comparison.count(ListStatus::Stale);
    summary.notListed = m_comparison.count(ListStatus::NotListed);
    summary.listedTwice = m_comparison.count(ListStatus::ListedTwice);
    summary.missing = m_comparison.missingEntries.size();
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
    auto &shown = texts.shown;
    const auto at = [&shown](Column column) -> QString & { return shown[size_t(column)]; };
    const ChartScan *scan = chartAt(row);
    if (scan)
        at(Column::File) = QFileInfo(scan->path).fileName();
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
    else if (m_songList && row < m_comparison.charts.size())
        at(Column::ListStatus) = listStatusName(m_comparison.charts[row].status);

    const Findings findings = findingsAt(row);
    QStringList findingTexts;
    for (const Finding &finding : findings) {
        findingTexts << finding.text;
        texts.severityRank = std::max(texts.severityRank, finding.isProblem() ? 2 : 1);
    }
    at(Column::Findings) = findingTexts.join(QLatin1String("; "));

    QStringList searched;
    for (const Column column : TextColumns)
        searched << at(column);
    texts.folded = searched.join(QLatin1Char('\n')).toCaseFolded();
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
    const RowTexts &left = m_texts[leftRow], &right = m_texts[rightRow];
    // Songs with no chart have no file name; they go after the charts.
    if (c == Column::File && (chartAt(leftRow) != nullptr) != (chartAt(rightRow) != nullptr))
        return chartAt(leftRow) != nullptr;
    if (c == Column::Findings && left.severityRank != right.severityRank)
        return left.severityRank < right.severityRank;
    return QString::compare(left.shown[size_t(column)], right.shown[size_t(column)], Qt::CaseInsensitive) < 0;
}

bool ChartTableModel::matches(int row, const QString &foldedNeedle) const
{
    return m_texts[row].folded.contains(foldedNeedle);
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
    const RowTexts &texts = m_texts[row];
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
