#include "cli/ChartFormat.h"
#include "cli/ChartInput.h"
#include "cli/Command.h"

namespace ojn::cli {
namespace {

struct ShowOptions {
    QStringList files;
    OutputForm form = OutputForm::Text;
};

Result<ShowOptions> parseShowOptions(const CommandArguments &arguments)
{
    return ShowOptions{arguments.paths, outputFormOf(arguments.options)};
}

// Prints every chart that can be read; reports the others and returns
// ExitRefused when there was one.
int runShow(const ShowOptions &options, Console &console)
{
    RecordPrinter<ChartRecord> printer(chartFormat(), options.form, console);
    int status = ExitOk;
    for (const QString &path : options.files) {
        const std::optional<ChartRecord> record = readChartOrReport(path, console);
        if (record)
            printer.print(*record);
        else
            status = ExitRefused;
    }
    return status;
}

} // namespace

CommandSpec showCommand()
{
    return {QString(), QStringLiteral("show"), {switchOption(QStringLiteral("json"))},
            {1, -1, QStringLiteral("no chart file given.")}, parsedInto(parseShowOptions, runShow)};
}

} // namespace ojn::cli
