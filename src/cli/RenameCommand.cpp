#include "cli/RenameCommand.h"

#include "cli/FolderCommand.h"

namespace ojn::cli {

QString parseRenameOptions(const QStringList &arguments, RenameOptions &options)
{
    QCommandLineParser parser;
    if (const QString error = parseFolderOptions(parser, QStringLiteral("rename"), arguments, {}); !error.isEmpty())
        return error;
    const QStringList paths = parser.positionalArguments();
    if (paths.size() != 1)
        return QStringLiteral("rename: give one music folder.");
    options.folder = paths.first();
    if (parser.isSet(QStringLiteral("list")))
        options.listPath = parser.value(QStringLiteral("list"));
    options.dryRun = parser.isSet(QStringLiteral("dry-run"));
    QString error;
    options.codePage = folderCodePage(parser, error);
    return error;
}

int runRename(const RenameOptions &options, Console &console)
{
    PlanSettings settings;
    settings.codec = console.codec;
    settings.listPath = options.listPath;
    return runFolderPlan(planRename(options.folder, settings), options.dryRun, QStringLiteral("Renamed"), console);
}

} // namespace ojn::cli
