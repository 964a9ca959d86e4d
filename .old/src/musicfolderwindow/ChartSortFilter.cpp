#include "musicfolderwindow/ChartSortFilter.h"

#include "musicfolderwindow/ChartTableModel.h"

namespace ojn {

ChartSortFilter::ChartSortFilter(ChartTableModel &charts, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_charts(charts)
{
    setSourceModel(&charts);
}

void ChartSortFilter::setFilterText(const QString &text)
{
    const QString folded = text.trimmed().toCaseFolded();
    if (folded == m_foldedFilter)
        return;
    m_foldedFilter = folded;
    invalidateFilter();
}

bool ChartSortFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    return m_charts.lessThan(left.row(), right.row(), left.column());
}

bool ChartSortFilter::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    return m_foldedFilter.isEmpty() || m_charts.matches(sourceRow, m_foldedFilter);
}

} // namespace ojn
