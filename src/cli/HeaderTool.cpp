#include "cli/HeaderTool.h"

#include "cli/CheckCommand.h"
#include "cli/CommandLine.h"
#include "cli/CsvCommands.h"
#include "cli/ExtractCommand.h"
#include "cli/ListCommands.h"
#include "cli/SetCommand.h"
#include "cli/ShowCommand.h"

namespace ojn::cli {

int runHeaderTool(const QStringList &arguments, Console &console)
{
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    if (!parsed.invocation) {
        console.error(parsed.error);
        console.err << usageHint();
        console.err.flush();
        return ExitUsage;
    }
    const Invocation &invocation = *parsed.invocation;
    if (invocation.codePage)
        console.codec = TextCodec(*invocation.codePage);
    switch (invocation.command) {
    case Command::Help:
        console.out << helpText();
        console.out.flush();
        return ExitOk;
    case Command::Version:
        console.out << versionText();
        console.out.flush();
        return ExitOk;
    case Command::Show:
        return runShow(invocation.files, invocation.json, console);
    case Command::Set:
        return runSet(invocation, console);
    case Command::Extract:
        return runExtract(invocation, console);
    case Command::Check:
        return runCheck(invocation, console);
    case Command::ListShow:
        return runListShow(invocation, console);
    case Command::ListBuild:
        return runListBuild(invocation, console);
    case Command::ListSync:
        return runListSync(invocation, console);
    case Command::Export:
        return runExport(invocation, console);
    case Command::Import:
        return runImport(invocation, console);
    }
    return ExitUsage;
}

} // namespace ojn::cli
