#include "headercsv/CsvSongIds.h"

#include "folderchecks/ChartBatchCheck.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace ojn {
namespace {

// A chart as the folder will hold it: its song ID, and the row that gives
// it (-1 for a chart the CSV leaves alone).
struct Holder {
    qint32 songId = 0;
    qsizetype row = -1;
    QString name;
};

bool changesSongId(const CsvChartPlan &row)
{
    return row.edits.fields[HeaderField::SongId].has_value();
}

// The charts of the folder after the import, by canonical path.
QHash<QString, Holder> holdersIn(const QString &folder, const QList<qsizetype> &rows, const QStringList &keys,
                                 const HeaderCsvImportPlan &plan)
{
    QHash<QString, Holder> holders;
    const FolderListing listing = listFolder(folder);
    for (const ChartScan &chart : checkChartFiles(listing.chartPaths, CheckDepth::Header)) {
        if (!chart.header)
            continue;
        const QFileInfo info(chart.path);
        holders.insert(info.isSymLink() ? info.canonicalFilePath() : chart.path,
                       {chart.header->songId, -1, info.fileName()});
    }
    for (const qsizetype row : rows)
        holders.insert(keys[row], {plan.rows[row].songId, row, QFileInfo(plan.rows[row].path).fileName()});
    return holders;
}

} // namespace

void refuseSongIdClashes(HeaderCsvImportPlan &plan)
{
    if (std::none_of(plan.rows.cbegin(), plan.rows.cend(), changesSongId))
        return;
    QStringList keys;
    QHash<QString, QList<qsizetype>> rowsOfFolder;
    QList<QString> foldersChanged;
    for (qsizetype i = 0; i < plan.rows.size(); ++i) {
        const QString key = QFileInfo(plan.rows[i].path).canonicalFilePath();
        const QString folder = QFileInfo(key).path();
        keys.append(key);
        rowsOfFolder[folder].append(i);
        if (changesSongId(plan.rows[i]) && !foldersChanged.contains(folder))
            foldersChanged.append(folder);
    }

    QHash<qsizetype, QString> refused; // row -> reason
    for (const QString &folder : std::as_const(foldersChanged)) {
        QHash<qint32, QList<Holder>> byId;
        for (const Holder &holder : holdersIn(folder, rowsOfFolder.value(folder), keys, plan))
            byId[holder.songId].append(holder);
        for (const QList<Holder> &group : std::as_const(byId)) {
            if (group.size() < 2)
                continue;
            for (const Holder &holder : group) {
                if (holder.row < 0 || !changesSongId(plan.rows[holder.row]))
                    continue;
                QStringList others;
                for (const Holder &other : group) {
                    if (other.row == holder.row)
                        continue;
                    others << (other.row < 0 ? other.name
                                             : QStringLiteral("%1 (line %2)").arg(other.name).arg(plan.rows[other.row].line));
                }
                std::sort(others.begin(), others.end());
                refused.insert(holder.row,
                               QStringLiteral("%1 would get song ID %2, which %3 would hold too: two charts of one folder "
                                              "cannot share a song ID, since the song list tells songs apart by it.")
                                   .arg(holder.name).arg(holder.songId).arg(others.join(QLatin1String(", "))));
            }
        }
    }
    if (refused.isEmpty())
        return;
    QList<CsvChartPlan> kept;
    for (qsizetype i = 0; i < plan.rows.size(); ++i) {
        if (const auto reason = refused.constFind(i); reason != refused.cend())
            plan.badRows.append({plan.rows[i].line, *reason});
        else
            kept.append(std::move(plan.rows[i]));
    }
    plan.rows = std::move(kept);
    std::stable_sort(plan.badRows.begin(), plan.badRows.end(),
                     [](const CsvBadRow &a, const CsvBadRow &b) { return a.line < b.line; });
}

} // namespace ojn
