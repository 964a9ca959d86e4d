#include "cli/ListCommands.h"
#include "cli/ListInput.h"
#include "songlist/SongListSync.h"

namespace ojn::cli {

int runListSync(const Invocation &invocation, Console &console)
{
    const QString &listPath = invocation.files.at(0);
    if (const Result<> target = checkSongListTarget(listPath); !target.ok()) {
        console.error(target.error());
        return ExitUsage;
    }
    const std::optional<SongList> list = readSongListOrReport(listPath, console);
    if (!list)
        return ExitRefused;
    const std::optional<QList<ChartScan>> charts = scanFolderOrReport(invocation.files.at(1), console);
    if (!charts)
        return ExitRefused;
    const Result<SongListSync> planned = planSongListSync(*list, *charts, invocation.dropMissing);
    if (!planned.ok()) {
        console.error(planned.error() + QStringLiteral(" Nothing was written."));
        return ExitRefused;
    }
    const SongListSync &sync = planned.value();
    QString line = sync.summary();
    if (invocation.dryRun)
        line += QStringLiteral(" Dry run: nothing written.");
    else if (!sync.changesList())
        line += QStringLiteral(" The song list is already in step: nothing written.");
    else if (const Result<> written = writeSongListFile(sync.list, listPath); !written.ok()) {
        console.fileError(listPath, written.error());
        return ExitRefused;
    }
    console.out << line << '\n';
    console.out.flush();
    return sync.skipped.isEmpty() ? ExitOk : ExitRefused;
}

} // namespace ojn::cli
