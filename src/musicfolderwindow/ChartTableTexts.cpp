// What the Music Folder table shows: each cell's text and number, made
// once per row when first needed, and sorting and filtering on them.
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

const HeaderFieldInfo *fieldOfColumn(int column)
{
    const int field = column - columnOf(HeaderField(0));
    return field >= 0 && field < HeaderFieldCount ? &headerFields()[size_t(field)] : nullptr;
}

bool isNumberColumn(int column)
{
    if (const HeaderFieldInfo *info = fieldOfColumn(column))
        return info->kind != FieldKind::Text && !info->named;
    return column == DurationColumn;
}

void ChartTableModel::prepareTexts(int first, int count) const
{
    for (int row = first; row < qMin(first + count, int(m_cache.size())); ++row) {
        static_cast<void>(textsAt(row));
        static_cast<void>(numbersAt(row));
    }
}

const ChartTableModel::RowTexts &ChartTableModel::textsAt(int row) const
{
    RowTexts &texts = m_cache[row].texts;
    if (!texts.made)
        texts = textsOf(row);
    return texts;
}

const ChartTableModel::RowNumbers &ChartTableModel::numbersAt(int row) const
{
    RowNumbers &numbers = m_cache[row].numbers;
    if (!numbers.made)
        numbers = numbersOf(row);
    return numbers;
}

ChartTableModel::RowNumbers ChartTableModel::numbersOf(int row) const
{
    RowNumbers numbers;
    numbers.made = true;
    numbers.values.fill(std::nan(""));
    const ChartHeader *h = m_catalogue.headerAt(row);
    if (!h)
        return numbers;
    const ChartRecord record = recordFieldsOf(*h);
    for (const HeaderFieldInfo &info : headerFields()) {
        const int column = columnOf(info.field);
        if (isNumberColumn(column))
            numbers.values[size_t(column)] = *numberIn(record, info.field);
    }
    numbers.values[DurationColumn] = songDuration(*h);
    return numbers;
}

ChartTableModel::RowTexts ChartTableModel::textsOf(int row) const
{
    RowTexts texts;
    texts.made = true;
    auto &shown = texts.shown;
    const ChartScan *scan = m_catalogue.chartAt(row);
    if (scan)
        shown[FileColumn] = scan->path.mid(scan->path.lastIndexOf(QLatin1Char('/')) + 1);
    if (const ChartHeader *h = m_catalogue.headerAt(row)) {
        // The fields as the editor shows them, but for a named value
        // outside its list (a genre), which shows as its number rather
        // than as nothing.
        const ChartRecord record = recordFieldsOf(*h);
        FieldTexts fields = fieldTextsOf(record, m_codec, m_locale);
        for (const HeaderFieldInfo &info : headerFields()) {
            QString &text = shown[size_t(columnOf(info.field))];
            text = std::move(fields[info.field]);
            if (text.isEmpty() && info.named)
                text = integerText(qint64(*numberIn(record, info.field)));
        }
        shown[DurationColumn] = durationText(songDuration(*h));
    }
    if (const std::optional<ListStatus> status = m_catalogue.listStatusAt(row))
        shown[ListColumn] = listStatusName(*status);

    if (scan) {
        QString &findings = shown[FindingsColumn];
        for (const Findings *list : {&scan->findings, &m_catalogue.folderFindingsAt(row)}) {
            for (const Finding &finding : *list) {
                if (!findings.isEmpty())
                    findings += QLatin1String("; ");
                findings += finding.text;
                texts.severityRank = std::max(texts.severityRank, finding.isProblem() ? 2 : 1);
            }
        }
    }

    // The filter looks in the text columns.
    for (int column = 0; column < ChartColumnCount; ++column) {
        if (!isNumberColumn(column))
            texts.folded += shown[size_t(column)] + QLatin1Char('\n');
    }
    texts.folded = std::move(texts.folded).toCaseFolded();
    return texts;
}

bool ChartTableModel::lessThan(int leftRow, int rightRow, int column) const
{
    if (isNumberColumn(column)) {
        // NaN: no number, which sorts first.
        const double left = numbersAt(leftRow).values[size_t(column)], right = numbersAt(rightRow).values[size_t(column)];
        if (std::isnan(left) != std::isnan(right))
            return std::isnan(left);
        return left < right;
    }
    if (column == FileColumn) {
        // Straight from the paths, so sorting by file needs no texts made.
        // Songs with no chart have no file name; they go after the charts.
        const ChartScan *left = m_catalogue.chartAt(leftRow), *right = m_catalogue.chartAt(rightRow);
        if (!left || !right)
            return left && !right;
        const auto name = [](const QString &path) { return QStringView(path).mid(path.lastIndexOf(QLatin1Char('/')) + 1); };
        return name(left->path).compare(name(right->path), Qt::CaseInsensitive) < 0;
    }
    const RowTexts &left = textsAt(leftRow), &right = textsAt(rightRow);
    if (column == FindingsColumn && left.severityRank != right.severityRank)
        return left.severityRank < right.severityRank;
    return QString::compare(left.shown[size_t(column)], right.shown[size_t(column)], Qt::CaseInsensitive) < 0;
}

bool ChartTableModel::matches(int row, const QString &foldedNeedle) const
{
    return textsAt(row).folded.contains(foldedNeedle);
}

QVariant ChartTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_cache.size())
        return {};
    const int row = index.row();
    const int column = index.column();
    const RowTexts &texts = textsAt(row);
    const ChartScan *scan = m_catalogue.chartAt(row);
    switch (role) {
    case Qt::DisplayRole:
        return texts.shown[size_t(column)];
    case Qt::ToolTipRole: {
        // Any cell of a row tells its findings, so they need no column in view.
        QStringList tip;
        if (column == FileColumn && scan)
            tip << (scan->encrypted ? QStringLiteral("%1 (encrypted: shown, not editable)").arg(scan->path) : scan->path);
        if (!scan)
            tip << QStringLiteral("Listed in the song list, but no chart in the folder has this song ID.");
        if (texts.severityRank > 0)
            tip << findingLines(m_catalogue.findingsAt(row));
        return tip.isEmpty() ? QVariant() : QVariant(tip.join(QLatin1Char('\n')));
    }
    case Qt::AccessibleTextRole:
        // The icon's meaning in words, for a screen reader.
        if (column == FindingsColumn && texts.severityRank > 0)
            return QStringLiteral("%1: %2").arg(QLatin1String(texts.severityRank == 2 ? "Problem" : "Note"), texts.shown[size_t(column)]);
        return texts.shown[size_t(column)];
    case Qt::DecorationRole:
        if (column == FindingsColumn && texts.severityRank > 0)
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
    if (role == Qt::DisplayRole) {
        if (const HeaderFieldInfo *info = fieldOfColumn(section))
            return QLatin1String(info->columnTitle);
        switch (section) {
        case FileColumn: return QStringLiteral("File");
        case DurationColumn: return QStringLiteral("Duration");
        case ListColumn: return QStringLiteral("List");
        default: return QStringLiteral("Findings");
        }
    }
    if (role == Qt::ToolTipRole && section == DurationColumn)
        return QStringLiteral("The song's length (m:ss), the longest of its Ex, Nx and Hx charts");
    if (role == Qt::ToolTipRole && section == ListColumn)
        return QStringLiteral("How the song list holds the chart");
    return {};
}

} // namespace ojn
