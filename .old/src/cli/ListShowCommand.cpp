#include "cli/Command.h"
#include "cli/ListInput.h"
#include "cli/SongListFormat.h"

namespace ojn::cli {
namespace {

struct ListShowOptions {
    QString listPath;
    OutputForm form = OutputForm::Text;
};

Result<ListShowOptions> parseListShowOptions(const CommandArguments &arguments)
{
    return ListShowOptions{arguments.paths.first(), outputFormOf(arguments.options)};
}

// The entries' header fields and durations, and the size of the extra
// sections.
int runListShow(const ListShowOptions &options, Console &console)
{
    std::optional<SongList> list = readSongListOrReport(options.listPath, console);
    if (!list)
        return ExitRefused;
    RecordPrinter<ShownSongList>(songListFormat(), options.form, console).print({options.listPath, std::move(*list)});
    return ExitOk;
}

} // namespace

CommandSpec listShowCommand()
{
    return {QStringLiteral("list"), QStringLiteral("show"), {switchOption(QStringLiteral("json"))},
            {1, 1, QStringLiteral("give one song list.")}, parsedInto(parseListShowOptions, runListShow)};
}

} // namespace ojn::cli
