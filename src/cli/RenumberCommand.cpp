#include "cli/Command.h"
#include "cli/FolderPlanRunner.h"
#include "folderplans/RenumberPlan.h"
#include "model/SongId.h"

namespace ojn::cli {
namespace {

// `renumber CHART --id N [--list LIST] [--dry-run]`: gives one chart of a
// music folder a new song ID, its files named for it.
struct RenumberOptions {
    QString chart;
    qint64 id = 0;
    PlanOptions plan;
};

Result<RenumberOptions> parseRenumberOptions(const CommandArguments &arguments)
{
    RenumberOptions options;
    options.chart = arguments.paths.first();
    const std::optional<QString> id = arguments.value(QStringLiteral("id"));
    if (!id)
        return arguments.usageError(QStringLiteral("give --id N, the new song ID, from 0 to %1.").arg(LastSongId));
    const std::optional<qint64> newId = songIdOf(*id);
    if (!newId)
        return arguments.usageError(QStringLiteral("--id %1: %2").arg(*id, songIdRule()));
    options.id = *newId;
    options.plan = planOptionsOf(arguments);
    return options;
}

int runRenumber(const RenumberOptions &options, Console &console)
{
    PlanSettings settings;
    options.plan.fill(settings, console);
    return runFolderPlan(planRenumber(options.chart, options.id, settings), options.plan.dryRun, QStringLiteral("Renumbered"), console);
}

} // namespace

CommandSpec renumberCommand()
{
    return {QString(), QStringLiteral("renumber"), folderPlanOptions({QStringLiteral("id")}),
            {1, 1, QStringLiteral("give one chart file.")}, parsedInto(parseRenumberOptions, runRenumber)};
}

} // namespace ojn::cli
