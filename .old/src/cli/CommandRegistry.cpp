// The registry of ojn-header's commands.
//
// To add a command, write one file, e.g. RenameCommand.cpp, holding in an
// anonymous namespace its options struct (RenameOptions), its parser
// (`Result<RenameOptions> parseRenameOptions(const CommandArguments &)`,
// reading the options it declares; a Failure from
// `arguments.usageError(...)` is a usage error) and its runner
// (`int runRename(const RenameOptions &, Console &)`), and outside it
//     CommandSpec renameCommand()
//     {
//         return {QString(), QStringLiteral("rename"), {valueOption(QStringLiteral("to"))},
//                 {1, 1, QStringLiteral("give one chart file.")}, parsedInto(parseRenameOptions, runRename)};
//     }
// Then declare renameCommand below and add it to the list. The shared
// part (CommandLine.cpp) does the rest: --code-page before or after the
// command, --help anywhere, "--", repeated options, the path count, a
// group word such as "list", and the command names in its usage errors.
// The manual (help.txt) and usageHint are written by hand.
#include "cli/Command.h"

namespace ojn::cli {

CommandSpec showCommand();
CommandSpec setCommand();
CommandSpec extractCommand();
CommandSpec checkCommand();
CommandSpec listShowCommand();
CommandSpec listBuildCommand();
CommandSpec listSyncCommand();
CommandSpec addCommand();
CommandSpec renumberCommand();
CommandSpec renameCommand();
CommandSpec exportCommand();
CommandSpec importCommand();

const QList<CommandSpec> &commands()
{
    static const QList<CommandSpec> all{
        showCommand(), setCommand(), extractCommand(), checkCommand(),
        listShowCommand(), listBuildCommand(), listSyncCommand(),
        addCommand(), renumberCommand(), renameCommand(), exportCommand(), importCommand(),
    };
    return all;
}

} // namespace ojn::cli
