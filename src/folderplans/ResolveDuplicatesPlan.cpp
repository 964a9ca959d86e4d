#include "folderplans/ResolveDuplicatesPlan.h"

#include "folderplans/FolderState.h"
#include "folderplans/RenumberPlan.h"
#include "model/SongId.h"

#include <QFileInfo>
#include <QSet>

namespace ojn {
namespace {

// `more`'s steps after `plan`'s, its charts numbered after `plan`'s so
// that Cancel and failures still go chart by chart. The old names' removal
// and the song list's entries are gathered apart: one list step, after
// every new file and before any old name goes, as each plan has it.
void appendPlan(FolderPlan &plan, const FolderPlan &more, QList<PlanStep> &removals, QList<ListEntryEdit> &entries)
{
    const int first = plan.unitCount();
    const auto renumbered = [first](int unit) { return unit >= 0 ? unit + first : unit; };
    for (PlanStep step : more.steps) {
        step.unit = renumbered(step.unit);
        if (step.kind == StepKind::ListUpdate) {
            for (ListEntryEdit entry : std::as_const(step.entries)) {
                entry.unit = renumbered(entry.unit);
                entries << entry;
            }
        } else {
            (step.kind == StepKind::Remove ? removals : plan.steps) << step;
        }
    }
    plan.refused << more.refused;
    plan.skipped << more.skipped;
    for (const QString &note : more.notes) {
        if (!plan.notes.contains(note))
            plan.notes << note;
    }
    plan.units << more.units;
}

} // namespace

QStringList duplicateIdGroup(const QList<ChartScan> &charts, const QStringList &selected)
{
    const QSet<QString> chosen(selected.cbegin(), selected.cend());
    std::optional<qint32> id;
    for (const ChartScan &chart : charts) {
        if (!chosen.contains(chart.path))
            continue;
        if (!chart.header || (id && *id != chart.header->songId))
            return {};
        id = chart.header->songId;
    }
    if (!id)
        return {};
    QStringList group;
    for (const ChartScan &chart : charts) {
        if (chart.header && chart.header->songId == *id)
            group << chart.path;
    }
    return group.size() >= 2 ? group : QStringList();
}

Result<FolderPlan> planResolveDuplicateIds(const QStringList &group, const QString &keeper, const PlanSettings &settings)
{
    const QString folder = QFileInfo(keeper).absolutePath();
    const FolderState state = readFolderState(folder, settings.listPath);
    if (!state.error.isEmpty())
        return Failure{state.error};
    FolderPlan plan = emptyPlanFor(state, settings.codec);
    QList<PlanStep> removals;
    QList<ListEntryEdit> entries;
    QSet<qint64> given;
    qint64 from = FirstOfficialSongId;
    for (const QString &path : group) {
        if (QFileInfo(path) == QFileInfo(keeper))
            continue;
        const std::optional<qint64> id = state.lowestFreeId(from, given);
        if (!id) {
            plan.refused << PlanRefusal{path, QStringLiteral("no song ID from %1 up is free in the folder.").arg(FirstOfficialSongId)};
            continue;
        }
        given.insert(*id);
        from = *id + 1;
        const Result<FolderPlan> one = planRenumber(state, path, *id, settings);
        if (!one.ok())
            plan.refused << PlanRefusal{path, one.error()};
        else
            appendPlan(plan, one.value(), removals, entries);
    }
    if (settings.listPath && !entries.isEmpty()) {
        PlanStep update;
        update.kind = StepKind::ListUpdate;
        update.to = *settings.listPath;
        update.why = QStringLiteral("the entries of the charts given new song IDs");
        update.entries = entries;
        plan.steps << update;
    }
    plan.steps << removals;
    return plan;
}

} // namespace ojn
