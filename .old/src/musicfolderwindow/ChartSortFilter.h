#pragma once

#include <QSortFilterProxyModel>

namespace ojn {

class ChartTableModel;

// Sorts the Music Folder table by any column, numbers as numbers, and
// keeps the rows whose text columns contain the filter text (ignoring
// case). It asks the table model directly, without a QVariant per look,
// so that sorting 10,000 rows stays quick.
class ChartSortFilter final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ChartSortFilter(ChartTableModel &charts, QObject *parent = nullptr);

    void setFilterText(const QString &text);

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    ChartTableModel &m_charts;
    QString m_foldedFilter;
};

} // namespace ojn
