#include "folderplans/RenumberPlan.h"

#include "folderplans/ChartMoves.h"
#include "folderplans/ChartRewrite.h"
#include "fileio/FileContent.h"
#include "folderplans/FolderState.h"
#include "model/SongId.h"
#include "text/MessageText.h"

#include <QFileInfo>

#include <algorithm>

namespace ojn {
namespace {

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

const ChartScan *chartNamed(const FolderState &state, const QString &fileName)
{
    for (const ChartScan &chart : state.charts) {
        if (nameOf(chart.path) == fileName)
            return &chart;
    }
    return nullptr;
}

// The song whose entry a renumber of this chart, rewritten where it is,
// would have replaced: an entry equal to its header but for the song ID and
// the OJM name, whose song ID no chart of the folder holds any more.
std::optional<qint32> entryRenumbered(const FolderState &state, const ChartHeader &header)
{
    for (const QByteArray &entry : state.list->entries) {
        const qint32 id = songIdOfEntry(entry);
        if (id == header.songId || !equalButOjmName(QByteArrayView(entry).sliced(4), QByteArrayView(header.bytes).sliced(4), 4))
            continue;
        const bool held = std::any_of(state.charts.cbegin(), state.charts.cend(),
                                      [id](const ChartScan &chart) { return chart.header && chart.header->songId == id; });
        if (!held)
            return id;
    }
    return std::nullopt;
}

QString extraSectionsNote(const FolderState &state)
{
    if (!state.list || state.list->extraSections.isEmpty())
        return QString();
    return QStringLiteral("The song list's extra sections are carried byte for byte; they may still name the old song IDs.");
}

} // namespace

Result<FolderPlan> planRenumber(const QString &chartPath, qint64 newId, const PlanSettings &settings)
{
    if (newId < 0 || newId > LastSongId)
        return Failure{QStringLiteral("a song ID is a number from 0 to %1.").arg(LastSongId)};
    const FolderState state = readFolderState(QFileInfo(chartPath).absolutePath(), settings.listPath);
    if (!state.error.isEmpty())
        return Failure{state.error};
    return planRenumber(state, chartPath, newId, settings);
}

Result<FolderPlan> planRenumber(const FolderState &state, const QString &chartPath, qint64 newId, const PlanSettings &settings)
{
    if (newId < 0 || newId > LastSongId)
        return Failure{QStringLiteral("a song ID is a number from 0 to %1.").arg(LastSongId)};
    const QFileInfo file(chartPath);
    FolderPlan plan = emptyPlanFor(state, settings.codec);
    auto refuse = [&](const QString &reason) {
        plan.refused << PlanRefusal{chartPath, reason};
        return plan;
    };
    const ChartScan *chart = chartNamed(state, file.fileName());
    if (!chart)
        return refuse(file.exists() ? QStringLiteral("it is not a chart (.ojn) file.") : QStringLiteral("there is no such file."));
    if (isTutorial(file.fileName()))
        return refuse(QStringLiteral("the game finds its tutorial by the name %1, so it keeps its name and song ID.").arg(file.fileName()));
    if (!chart->header)
        return refuse(chart->unreadableReason());
    if (chart->encrypted)
        return refuse(QStringLiteral("it is encrypted, so its header cannot be rewritten."));
    const ChartHeader &header = *chart->header;
    const QString name = nameOf(chart->path);
    const QString target = chartNameFor(name, newId);
    const QString usual = usualOjmName(newId);
    const QString headerOjm = ojmNameIn(header, settings.codec);
    if (header.songId == newId && name.compare(target, Qt::CaseInsensitive) == 0
        && headerOjm.compare(usual, Qt::CaseInsensitive) == 0) {
        plan.skipped << QStringLiteral("%1 already holds song ID %2 under its name.").arg(name).arg(newId);
        // A run killed after the chart was rewritten where it is, before
        // the list: its entry is brought in step now.
        if (settings.listPath && state.list && !state.list->entries.contains(header.bytes)) {
            PlanStep update;
            update.kind = StepKind::ListUpdate;
            update.to = *settings.listPath;
            update.why = QStringLiteral("the entry of %1").arg(name);
            update.entries << ListEntryEdit{-1, chart->path, entryRenumbered(state, header).value_or(qint32(newId))};
            plan.steps << update;
        }
        return plan;
    }
    const Result<QByteArray> newBytes = chartWithSongId(chart->path, qint32(newId), settings.codec);
    if (!newBytes.ok())
        return refuse(newBytes.error());
    QString unclear;
    const QString ojm = findOjm(state.names, name, headerOjm, nullptr, &unclear);
    if (unclear.isEmpty())
        unclear = state.names.ambiguity(target, QStringLiteral("its new name %1").arg(target));
    if (unclear.isEmpty())
        unclear = state.names.ambiguity(usual, QStringLiteral("the OJM's new name %1").arg(usual));
    if (!unclear.isEmpty())
        return refuse(unclear);

    // Free but for what this chart holds itself and what an earlier,
    // interrupted run of the same renumber already made.
    const QString targetOnDisk = state.names.find(target);
    const bool targetDone = !targetOnDisk.isEmpty() && targetOnDisk != name
        && fileHolds(state.names.pathOf(targetOnDisk), newBytes.value());
    const QString usualOnDisk = state.names.find(usual);
    const bool ojmDone = !usualOnDisk.isEmpty()
        && (ojm.isEmpty() ? targetDone : (ojm == usualOnDisk || sameBytes(state.names.pathOf(ojm), state.names.pathOf(usualOnDisk))));
    QStringList holders = state.holders.value(newId);
    holders.removeAll(name);
    if (targetDone)
        holders.removeAll(targetOnDisk);
    if (ojmDone)
        holders.removeAll(usualOnDisk);
    const QByteArray newHeader = newBytes.value().left(int(SongListEntrySize));
    if (state.list && state.list->entries.contains(newHeader))
        holders.removeOne(QStringLiteral("the song list"));
    if (!holders.isEmpty())
        return refuse(QStringLiteral("song ID %1 is not free in the folder: %2 holds it.").arg(newId).arg(quotedList(holders)));

    QSet<QString> kept;
    for (const ChartScan &other : state.charts) {
        if (other.header && other.path != chart->path && nameOf(other.path) != targetOnDisk)
            kept.insert(ojmNameIn(*other.header, settings.codec).toCaseFolded());
    }
    ChartMove move;
    move.path = chart->path;
    move.id = newId;
    move.target = target;
    move.rewrite = true;
    move.ojm = ojm;
    move.why = QStringLiteral("song ID %1 becomes %2").arg(header.songId).arg(newId);
    // The entry stays where it stands, but for another chart that still
    // holds the old ID: the new one is appended then.
    const bool oldStillHeld = std::any_of(state.charts.cbegin(), state.charts.cend(), [&](const ChartScan &other) {
        return other.header && other.header->songId == header.songId && other.path != chart->path && nameOf(other.path) != targetOnDisk;
    });
    if (!oldStillHeld)
        move.entryReplaces = header.songId;
    addChartMoves({move}, state, kept, plan, settings.listPath);
    if (const QString note = extraSectionsNote(state); !note.isEmpty() && !plan.steps.isEmpty() && settings.listPath)
        plan.notes << note;
    return plan;
}

std::optional<qint64> lowestFreeSongId(const QString &folder, qint64 from, const PlanSettings &settings)
{
    const FolderState state = readFolderState(folder, settings.listPath);
    if (!state.error.isEmpty())
        return std::nullopt;
    return state.lowestFreeId(from);
}

} // namespace ojn
