#include "cli/ListCommands.h"
#include "cli/ListInput.h"
#include "songlist/SongListSync.h"

#include <QDir>

namespace ojn::cli {

int runListBuild(const Invocation &invocation, Console &console)
{
    const QString &output = *invocation.outputPath;
    // Named .ojn (through links too) the target could be one of the
    // folder's charts: refused before anything is read.
    if (const Result<> target = checkSongListTarget(output); !target.ok()) {
        console.error(target.error());
        return ExitUsage;
    }
    QByteArray extraSections;
    if (invocation.sectionsFrom) {
        const std::optional<SongList> old = readSongListOrReport(*invocation.sectionsFrom, console);
        if (!old)
            return ExitRefused;
        extraSections = old->extraSections;
    }
    const std::optional<QList<ChartScan>> charts = scanFolderOrReport(invocation.files.first(), console);
    if (!charts)
        return ExitRefused;
    const Result<SongListSync> built = buildSongList(*charts, extraSections);
    if (!built.ok()) {
        console.error(built.error() + QStringLiteral(" Nothing was written."));
        return ExitRefused;
    }
    const SongListSync &build = built.value();
    if (const Result<> written = writeSongListFile(build.list, output); !written.ok()) {
        console.fileError(output, written.error());
        return ExitRefused;
    }
    console.out << QStringLiteral("Wrote %1: %2 songs, %3 bytes of extra sections.\n")
                       .arg(QDir::toNativeSeparators(output))
                       .arg(build.list.entries.size())
                       .arg(build.list.extraSections.size());
    console.out.flush();
    return build.skipped.isEmpty() ? ExitOk : ExitRefused;
}

} // namespace ojn::cli
