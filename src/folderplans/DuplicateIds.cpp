#include "folderplans/DuplicateIds.h"

#include "folderplans/FolderState.h"
#include "folderplans/PlanSupport.h"

#include <QFileInfo>
#include <QSet>

namespace ojn {
namespace {

// `more`'s steps after `plan`'s, its charts numbered after `plan`'s so
// that Cancel and failures still go chart by chart.
void appendPlan(FolderPlan &plan, const FolderPlan &more)
{
    for (PlanStep step : more.steps) {
        if (step.chart >= 0)
            step.chart += plan.charts;
        plan.steps << step;
    }
    plan.refused << more.refused;
    plan.skipped << more.skipped;
    plan.notes << more.notes;
    plan.charts += more.charts;
    plan.chartFiles += more.chartFiles;
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
    // Each renumber alone would rewrite the list from what it read; one
    // sync at the end keeps every change.
    PlanSettings alone = settings;
    alone.listPath.reset();
    qint64 next = FirstOfficialSongId;
    for (const QString &path : group) {
        if (QFileInfo(path) == QFileInfo(keeper))
            continue;
        while (next <= LastSongId && state.holders.contains(next))
            ++next;
        if (next > LastSongId) {
            plan.refused << PlanRefusal{path, QStringLiteral("no song ID up to %1 is free.").arg(LastSongId)};
            continue;
        }
        const Result<FolderPlan> one = planRenumber(path, next++, alone);
        if (!one.ok())
            plan.refused << PlanRefusal{path, one.error()};
        else
            appendPlan(plan, one.value());
    }
    if (settings.listPath && !plan.steps.isEmpty()) {
        PlanStep sync;
        sync.kind = StepKind::ListUpdate;
        sync.from = plan.folder;
        sync.to = *settings.listPath;
        sync.why = QStringLiteral("the charts given new song IDs");
        plan.steps << sync;
    }
    return plan;
}

} // namespace ojn
