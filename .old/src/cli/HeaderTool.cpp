#include "cli/HeaderTool.h"

#include "cli/CommandLine.h"

namespace ojn::cli {

int runHeaderTool(const QStringList &arguments, Console &console)
{
    const Result<Runner> run = parseCommandLine(arguments);
    if (!run.ok()) {
        console.error(run.error());
        console.err << usageHint();
        console.err.flush();
        return ExitUsage;
    }
    return run.value()(console);
}

} // namespace ojn::cli
