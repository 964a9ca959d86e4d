#include "folderplans/RenamePlan.h"

#include "folderplans/ChartMoves.h"
#include "folderplans/FolderState.h"
#include "model/SongId.h"

#include <QFileInfo>

#include <algorithm>

namespace ojn {
namespace {

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

// Whether the list holds `header`'s song only with another OJM name.
bool onlyOjmNameDiffers(const SongList &list, const QByteArray &header)
{
    if (list.entries.contains(header))
        return false;
    return std::any_of(list.entries.cbegin(), list.entries.cend(),
                       [&](const QByteArray &entry) { return equalButOjmName(entry, header); });
}

} // namespace

Result<FolderPlan> planRename(const QString &folder, const PlanSettings &settings, const QStringList &only)
{
    const FolderState state = readFolderState(folder, settings.listPath, false);
    if (!state.error.isEmpty())
        return Failure{state.error};
    FolderPlan plan;
    plan.folder = state.names.folder;
    plan.codePage = settings.codec.codePage();
    QSet<QString> chosen;
    for (const QString &path : only)
        chosen.insert(QFileInfo(path).absoluteFilePath());

    QList<ChartMove> moves;
    QSet<QString> kept;
    QList<ListEntryEdit> entriesDone;
    for (const ChartScan &chart : state.charts) {
        const QString name = nameOf(chart.path);
        const bool left = (!chosen.isEmpty() && !chosen.contains(chart.path)) || isTutorial(name);
        if (!chart.header) {
            if (!left)
                plan.refused << PlanRefusal{chart.path, chart.unreadableReason()};
            continue;
        }
        const QString headerOjm = ojmNameIn(*chart.header, settings.codec);
        const qint64 id = chart.header->songId;
        if (left || id < 0) {
            if (!left)
                plan.refused << PlanRefusal{chart.path, QStringLiteral("its song ID %1 is invalid, so it cannot make a file name.").arg(id)};
            kept.insert(headerOjm.toCaseFolded());
            continue;
        }
        ChartMove move;
        move.path = chart.path;
        move.id = id;
        move.target = chartNameFor(name, id);
        move.rewrite = headerOjm.compare(usualOjmName(id), Qt::CaseInsensitive) != 0;
        move.encrypted = chart.encrypted;
        if (!move.rewrite) {
            kept.insert(headerOjm.toCaseFolded());
            if (move.target.compare(name, Qt::CaseInsensitive) == 0) {
                // Already named for its ID; a run killed after rewriting it
                // where it is left its entry naming the old OJM.
                if (state.list && onlyOjmNameDiffers(*state.list, chart.header->bytes))
                    entriesDone << ListEntryEdit{-1, chart.path, qint32(id)};
                continue;
            }
            move.why = QStringLiteral("named for its song ID %1").arg(id);
        } else {
            QString unclear;
            move.ojm = findOjm(state.names, name, headerOjm, nullptr, &unclear);
            if (!unclear.isEmpty()) {
                plan.refused << PlanRefusal{chart.path, unclear};
                continue;
            }
            move.why = QStringLiteral("named for its song ID %1, its header naming %2").arg(id).arg(usualOjmName(id));
            move.entryReplaces = qint32(id);
        }
        moves << move;
    }
    addChartMoves(moves, state, kept, plan, settings.listPath, entriesDone);
    return plan;
}

} // namespace ojn
