// The table's rows as the catalogue holds them: its insertions, changes
// and removals told on to the view. What each cell shows is in
// ChartTableTexts.cpp.
#include "musicfolderwindow/ChartTableModel.h"

#include <memory>
#include <utility>

namespace ojn {

ChartTableModel::ChartTableModel(const FolderCatalogue &catalogue, const TextCodec &codec, const QLocale &locale,
                                 QObject *parent)
    : QAbstractTableModel(parent)
    , m_catalogue(catalogue)
    , m_codec(codec)
    , m_locale(locale)
{
    m_cache.resize(catalogue.rowCount());
    followCatalogue();
}

void ChartTableModel::followCatalogue()
{
    const FolderCatalogue *catalogue = &m_catalogue;
    connect(catalogue, &FolderCatalogue::aboutToReset, this, &ChartTableModel::beginResetModel);
    connect(catalogue, &FolderCatalogue::wasReset, this, [this] {
        auto old = std::make_shared<QList<RowCache>>(std::exchange(m_cache, QList<RowCache>(m_catalogue.rowCount())));
        if (m_release)
            m_release(std::move(old));
        endResetModel();
    });
    connect(catalogue, &FolderCatalogue::chartsAboutToBeAdded, this,
            [this](int first, int last) { beginInsertRows({}, first, last); });
    connect(catalogue, &FolderCatalogue::chartsAdded, this, [this](int first, int last) {
        m_cache.insert(first, last - first + 1, RowCache{});
        endInsertRows();
    });
    connect(catalogue, &FolderCatalogue::rowsChanged, this, &ChartTableModel::refreshTexts);
    // The missing songs' rows follow the charts': all go, then the new come.
    connect(catalogue, &FolderCatalogue::missingSongsAboutToChange, this, [this] {
        const int first = int(m_catalogue.charts().size());
        if (m_cache.size() > first) {
            beginRemoveRows({}, first, int(m_cache.size()) - 1);
            m_cache.resize(first);
            endRemoveRows();
        }
    });
    connect(catalogue, &FolderCatalogue::missingSongsChanged, this, [this] {
        const int first = int(m_cache.size());
        if (m_catalogue.rowCount() > first) {
            beginInsertRows({}, first, m_catalogue.rowCount() - 1);
            m_cache.resize(m_catalogue.rowCount());
            endInsertRows();
        }
    });
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

void ChartTableModel::setFindingIcons(const QIcon &problem, const QIcon &note)
{
    m_problemIcon = problem;
    m_noteIcon = note;
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
