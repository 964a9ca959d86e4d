#include "cli/RenumberCommand.h"

#include "cli/FolderCommand.h"
#include "folderplans/PlanSupport.h"

namespace ojn::cli {

QString parseRenumberOptions(const QStringList &arguments, RenumberOptions &options)
{
    QCommandLineParser parser;
    if (const QString error = parseFolderOptions(parser, QStringLiteral("renumber"), arguments, {QStringLiteral("id")}); !error.isEmpty())
        return error;
    const QStringList paths = parser.positionalArguments();
    if (paths.size() != 1)
        return QStringLiteral("renumber: give one chart file.");
    options.chart = paths.first();
    bool isNumber = false;
    options.id = parser.value(QStringLiteral("id")).toLongLong(&isNumber);
    if (!parser.isSet(QStringLiteral("id")) || !isNumber || options.id < 0 || options.id > LastSongId)
        return QStringLiteral("renumber: give --id N, the new song ID, from 0 to %1.").arg(LastSongId);
    if (parser.isSet(QStringLiteral("list")))
        options.listPath = parser.value(QStringLiteral("list"));
    options.dryRun = parser.isSet(QStringLiteral("dry-run"));
    QString error;
    options.codePage = folderCodePage(parser, error);
    return error;
}

int runRenumber(const RenumberOptions &options, Console &console)
{
    PlanSettings settings;
    settings.codec = console.codec;
    settings.listPath = options.listPath;
    return runFolderPlan(planRenumber(options.chart, options.id, settings), options.dryRun, QStringLiteral("Renumbered"), console);
}

} // namespace ojn::cli
