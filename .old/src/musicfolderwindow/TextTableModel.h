#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

class QTableView;
class QWidget;

namespace ojn {

// A read-only table of texts, made once, as the preview dialogs show a
// plan's rows: a folder's plan may hold thousands. Each cell is its own
// tooltip, for the long paths a narrow column cuts.
class TextTableModel final : public QAbstractTableModel {
public:
    TextTableModel(QStringList titles, QList<QStringList> rows, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_titles;
    QList<QStringList> m_rows;
};

// A read-only table view of such rows, one row selected as a whole, the
// last column stretched: how a preview dialog shows its plan.
[[nodiscard]] QTableView *newTextTable(const QString &objectName, const QString &accessibleName, QStringList titles,
                                       QList<QStringList> rows, QWidget *parent);

} // namespace ojn
