#include "musicfolderwindow/TextTableModel.h"

#include <QHeaderView>
#include <QTableView>

namespace ojn {

TextTableModel::TextTableModel(QStringList titles, QList<QStringList> rows, QObject *parent)
    : QAbstractTableModel(parent)
    , m_titles(std::move(titles))
    , m_rows(std::move(rows))
{
}

int TextTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TextTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant TextTableModel::data(const QModelIndex &index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid())
        return {};
    return m_rows[index.row()].value(index.column());
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return m_titles.value(section);
}

QTableView *newTextTable(const QString &objectName, const QString &accessibleName, QStringList titles,
                         QList<QStringList> rows, QWidget *parent)
{
    auto *table = new QTableView(parent);
    table->setObjectName(objectName);
    table->setAccessibleName(accessibleName);
    table->setModel(new TextTableModel(std::move(titles), std::move(rows), table));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

} // namespace ojn
