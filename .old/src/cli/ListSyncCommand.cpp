#include "cli/Command.h"
#include "cli/HeaderText.h"
#include "cli/ListInput.h"
#include "songlist/SongListSync.h"

namespace ojn::cli {
namespace {

struct ListSyncOptions {
    QString listPath;
    QString folder;
    bool dryRun = false;      // write nothing
    bool dropMissing = false; // drop entries that have no chart
};

const QString dryRunOption = QStringLiteral("dry-run");
const QString dropMissingOption = QStringLiteral("drop-missing");

Result<ListSyncOptions> parseListSyncOptions(const CommandArguments &arguments)
{
    return ListSyncOptions{arguments.paths.at(0), arguments.paths.at(1), arguments.options.isSet(dryRunOption),
                           arguments.options.isSet(dropMissingOption)};
}

// Brings the list in step with the folder and prints one summary line;
// writes nothing when nothing changes or with --dry-run, which first
// prints a line per song it would change.
int runListSync(const ListSyncOptions &options, Console &console)
{
    const QString &listPath = options.listPath;
    if (const Result<> target = checkSongListTarget(listPath); !target.ok()) {
        console.error(target.error());
        return ExitUsage;
    }
    const std::optional<SongList> list = readSongListOrReport(listPath, console);
    if (!list)
        return ExitRefused;
    const std::optional<QList<ChartScan>> charts = scanFolderOrReport(options.folder, console);
    if (!charts)
        return ExitRefused;
    const Result<SongListSync> planned = planSongListSync(*list, *charts, options.dropMissing);
    if (!planned.ok()) {
        console.error(planned.error() + QStringLiteral(" Nothing was written."));
        return ExitRefused;
    }
    const SongListSync &sync = planned.value();
    QString line = sync.summary();
    if (options.dryRun) {
        for (const SongListChange &change : sync.changes) {
            console.out << QStringLiteral("Song ID %1, \"%2\": %3\n")
                               .arg(change.songId)
                               .arg(printable(console.codec.decode(change.title)), songListChangeName(change.kind));
        }
        line += QStringLiteral(" Dry run: nothing written.");
    }
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

} // namespace

CommandSpec listSyncCommand()
{
    return {QStringLiteral("list"), QStringLiteral("sync"), {switchOption(dryRunOption), switchOption(dropMissingOption)},
            {2, 2, QStringLiteral("give the song list, then the music folder.")}, parsedInto(parseListSyncOptions, runListSync)};
}

} // namespace ojn::cli
