#include "cli/Command.h"
#include "cli/FolderPlanRunner.h"

namespace ojn::cli {
namespace {

// `rename FOLDER [--list LIST] [--dry-run]`: names every chart of a music
// folder and its OJM for the song ID its header holds.
struct RenameOptions {
    QString folder;
    std::optional<QString> listPath;
    bool dryRun = false;
};

Result<RenameOptions> parseRenameOptions(const CommandArguments &arguments)
{
    return RenameOptions{arguments.paths.first(), arguments.value(QStringLiteral("list")),
                         arguments.options.isSet(QStringLiteral("dry-run"))};
}

int runRename(const RenameOptions &options, Console &console)
{
    PlanSettings settings;
    settings.codec = console.codec;
    settings.listPath = options.listPath;
    return runFolderPlan(planRename(options.folder, settings), options.dryRun, QStringLiteral("Renamed"), console);
}

} // namespace

CommandSpec renameCommand()
{
    return {QString(), QStringLiteral("rename"), folderPlanOptions({}), {1, 1, QStringLiteral("give one music folder.")},
            parsedInto(parseRenameOptions, runRename)};
}

} // namespace ojn::cli
