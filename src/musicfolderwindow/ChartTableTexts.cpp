// What the Music Folder table shows: each cell's text, made once per row
// when first needed, sorting and filtering on them, and the status line.
#include "musicfolderwindow/ChartTableModel.h"

#include "model/ChartLayout.h"
#include "model/FieldValues.h"
#include "text/NumberText.h"

#include <QBrush>
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

// The song's length: the longest of its three charts.
qint32 durationOf(const ChartHeader &header)
{
    return *std::max_element(header.durations.begin(), header.durations.end());
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
        // The fields as the editor shows them, but for a genre outside the
        // list, which shows as its number rather than as nothing.
        FieldTexts fields = fieldTextsOf(recordFieldsOf(*h), m_codec, m_locale);
        at(Column::SongId) = std::move(fields[HeaderField::SongId]);
        at(Column::Title) = std::move(fields[HeaderField::Title]);
        at(Column::Artist) = std::move(fields[HeaderField::Artist]);
        at(Column::Pattern) = std::move(fields[HeaderField::Pattern]);
        at(Column::Genre) = fields[HeaderField::Genre].isEmpty() ? integerText(h->genre) : std::move(fields[HeaderField::Genre]);
        at(Column::Bpm) = std::move(fields[HeaderField::Bpm]);
        at(Column::LevelEx) = std::move(fields[HeaderField::LevelEx]);
        at(Column::LevelNx) = std::move(fields[HeaderField::LevelNx]);
        at(Column::LevelHx) = std::move(fields[HeaderField::LevelHx]);
        at(Column::NotesEx) = std::move(fields[HeaderField::NoteCountEx]);
        at(Column::NotesNx) = std::move(fields[HeaderField::NoteCountNx]);
        at(Column::NotesHx) = std::move(fields[HeaderField::NoteCountHx]);
        at(Column::Duration) = durationText(durationOf(*h));
        at(Column::Ojm) = std::move(fields[HeaderField::OjmFile]);
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

} // namespace ojn
