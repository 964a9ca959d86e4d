#include "cli/Command.h"
#include "cli/FolderPlanRunner.h"
#include "folderplans/RenamePlan.h"

namespace ojn::cli {
namespace {

// `rename FOLDER [--list LIST] [--dry-run]`: names every chart of a music
// folder and its OJM for the song ID its header holds.
struct RenameOptions {
    QString folder;
    PlanOptions plan;
};

Result<RenameOptions> parseRenameOptions(const CommandArguments &arguments)
{
    return RenameOptions{arguments.paths.first(), planOptionsOf(arguments)};
}

int runRename(const RenameOptions &options, Console &console)
{
    PlanSettings settings;
    options.plan.fill(settings, console);
    return runFolderPlan(planRename(options.folder, settings), options.plan.dryRun, QStringLiteral("Renamed"), console);
}

} // namespace

CommandSpec renameCommand()
{
    return {QString(), QStringLiteral("rename"), folderPlanOptions({}), {1, 1, QStringLiteral("give one music folder.")},
            parsedInto(parseRenameOptions, runRename)};
}

} // namespace ojn::cli
