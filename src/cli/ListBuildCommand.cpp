#include "cli/Command.h"
#include "cli/ListInput.h"
#include "filekinds/FileKind.h"
#include "songlist/SongListSync.h"

#include <QDir>

namespace ojn::cli {
namespace {

struct ListBuildOptions {
    QString folder;
    QString outputPath; // the list to write
    std::optional<QString> sectionsFrom; // the old list whose extra sections the new one carries
};

const QString outputOption = QStringLiteral("output");
const QString sectionsFromOption = QStringLiteral("sections-from");

Result<ListBuildOptions> parseListBuildOptions(const CommandArguments &arguments)
{
    const std::optional<QString> output = arguments.value(outputOption);
    if (!output)
        return arguments.usageError(QStringLiteral("give --output LIST, the song list to write."));
    return ListBuildOptions{arguments.paths.first(), *output, arguments.value(sectionsFromOption)};
}

// A new list of every readable chart in song ID order, carrying
// --sections-from's extra sections. Refused, writing nothing, when two
// charts share a song ID.
int runListBuild(const ListBuildOptions &options, Console &console)
{
    const QString &output = options.outputPath;
    // Named .ojn (through links too) the target could be one of the
    // folder's charts, and by content it may be a chart or an OJM under
    // any name: refused before anything is read.
    if (!songListTargetOrReport(output, console))
        return ExitUsage;
    QByteArray extraSections;
    if (options.sectionsFrom) {
        // A chart or another file of a known kind would give the new list
        // its bytes as extra sections; a damaged list is left to the
        // reader to explain.
        const Result<FileKind> kind = sniffFileKind(*options.sectionsFrom);
        if (kind.ok() && kind.value() != FileKind::SongList && kind.value() != FileKind::Unknown && kind.value() != FileKind::NoFile) {
            console.error(QStringLiteral("list build: --sections-from %1 is %2, not a song list.")
                              .arg(QDir::toNativeSeparators(*options.sectionsFrom), kindName(kind.value())));
            return ExitUsage;
        }
        const std::optional<SongList> old = readSongListOrReport(*options.sectionsFrom, console);
        if (!old)
            return ExitRefused;
        extraSections = old->extraSections;
    }
    const std::optional<SongListSync> build = songListFromFolderOrReport(
        options.folder, console, [&](const QList<ChartScan> &charts) { return buildSongList(charts, extraSections); });
    if (!build || !writeSongListOrReport(build->list, output, console))
        return ExitRefused;
    console.out << QStringLiteral("Wrote %1: %2 songs, %3 bytes of extra sections.\n")
                       .arg(QDir::toNativeSeparators(output))
                       .arg(build->list.entries.size())
                       .arg(build->list.extraSections.size());
    console.out.flush();
    return songListExitStatus(*build);
}

} // namespace

CommandSpec listBuildCommand()
{
    return {QStringLiteral("list"), QStringLiteral("build"), {valueOption(outputOption), valueOption(sectionsFromOption)},
            {1, 1, QStringLiteral("give one music folder.")}, parsedInto(parseListBuildOptions, runListBuild)};
}

} // namespace ojn::cli
