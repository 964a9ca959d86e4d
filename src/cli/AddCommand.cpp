#include "cli/AddCommand.h"

#include "cli/FolderCommand.h"
#include "folderplans/PlanSupport.h"

namespace ojn::cli {

QString parseAddOptions(const QStringList &arguments, AddOptions &options)
{
    QCommandLineParser parser;
    if (const QString error = parseFolderOptions(parser, QStringLiteral("add"), arguments, {QStringLiteral("first-id")}); !error.isEmpty())
        return error;
    const QStringList paths = parser.positionalArguments();
    if (paths.size() < 2)
        return QStringLiteral("add: give the music folder, then the charts to add.");
    options.folder = paths.first();
    options.charts = paths.mid(1);
    if (parser.isSet(QStringLiteral("first-id"))) {
        bool isNumber = false;
        const qint64 first = parser.value(QStringLiteral("first-id")).toLongLong(&isNumber);
        if (!isNumber || first < 0 || first > LastSongId)
            return QStringLiteral("add: --first-id takes a song ID from 0 to %1.").arg(LastSongId);
        options.firstId = first;
    }
    if (parser.isSet(QStringLiteral("list")))
        options.listPath = parser.value(QStringLiteral("list"));
    options.dryRun = parser.isSet(QStringLiteral("dry-run"));
    QString error;
    options.codePage = folderCodePage(parser, error);
    return error;
}

int runAdd(const AddOptions &options, Console &console)
{
    AddSettings settings;
    settings.codec = console.codec;
    settings.listPath = options.listPath;
    settings.firstId = options.firstId;
    return runFolderPlan(planAdd(options.folder, options.charts, settings), options.dryRun, QStringLiteral("Added"), console);
}

} // namespace ojn::cli
