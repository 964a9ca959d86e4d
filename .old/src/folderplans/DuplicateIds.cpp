#include "folderplans/DuplicateIds.h"

#include "folderplans/FolderState.h"
#include "folderplans/PlanSupport.h"

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
    const int first = plan.charts();
    const auto renumbered = [first](int chart) { return chart >= 0 ? chart + first : chart; };
    for (PlanStep step : more.steps) {
        step.chart = renumbered(step.chart);
        if (step.kind == StepKind::ListUpdate) {
            for (ListEntryEdit entry : std::as_const(step.entries)) {
                entry.chart = renumbered(entry.chart);
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
    FolderPlan plan;
    plan.folder = state.names.folder;
    plan.codePage = settings.codec.codePage();
    QList<PlanStep> removals;
    QList<ListEntryEdit> entries;
    qint64 next = FirstOfficialSongId;
    for (const QString &path : group) {
        if (QFileInfo(path) == QFileInfo(keeper))
            continue;
        while (next <= LastSongId && state.holders.contains(next))
            ++next;
        if (next > LastSongId) {
            plan.refused << PlanRefusal{path, QStringLiteral("no song ID from %1 up is free in the folder.").arg(FirstOfficialSongId)};
            continue;
        }
        const Result<FolderPlan> one = planRenumber(path, next++, settings);
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
