#include "cli/Command.h"
#include "cli/FolderPlanRunner.h"
#include "folderplans/PlanSupport.h"

namespace ojn::cli {
namespace {

// `add FOLDER CHART... [--first-id N] [--list LIST] [--dry-run]`: copies
// charts with their OJMs into a music folder under free song IDs.
struct AddOptions {
    QString folder;
    QStringList charts;
    std::optional<qint64> firstId;
    std::optional<QString> listPath;
    bool dryRun = false;
};

Result<AddOptions> parseAddOptions(const CommandArguments &arguments)
{
    AddOptions options;
    options.folder = arguments.paths.first();
    options.charts = arguments.paths.mid(1);
    if (const std::optional<QString> first = arguments.value(QStringLiteral("first-id"))) {
        const std::optional<qint64> id = songIdOf(*first);
        if (!id)
            return arguments.usageError(QStringLiteral("--first-id %1: %2").arg(*first, songIdRule()));
        options.firstId = *id;
    }
    options.listPath = arguments.value(QStringLiteral("list"));
    options.dryRun = arguments.options.isSet(QStringLiteral("dry-run"));
    return options;
}

int runAdd(const AddOptions &options, Console &console)
{
    AddSettings settings;
    settings.codec = console.codec;
    settings.listPath = options.listPath;
    settings.firstId = options.firstId;
    settings.firstIdAdvice = QStringLiteral("give --first-id N to pick from N up");
    return runFolderPlan(planAdd(options.folder, options.charts, settings), options.dryRun, QStringLiteral("Added"), console);
}

} // namespace

CommandSpec addCommand()
{
    return {QString(), QStringLiteral("add"), folderPlanOptions({QStringLiteral("first-id")}),
            {2, -1, QStringLiteral("give the music folder, then the charts to add.")}, parsedInto(parseAddOptions, runAdd)};
}

} // namespace ojn::cli
