#include "cli/FolderCommandLine.h"

#include "cli/FolderCommand.h"

namespace ojn::cli {

std::optional<ParsedCommandLine> parseFolderCommand(const QStringList &arguments, const std::optional<QString> &leadingCodePage)
{
    const QString command = arguments.value(0);
    Invocation invocation;
    QString error;
    std::optional<int> *codePage = nullptr;
    if (command == QLatin1String("add")) {
        invocation.command = Command::Add;
        error = parseAddOptions(arguments, invocation.add.emplace());
        codePage = &invocation.add->codePage;
    } else if (command == QLatin1String("renumber")) {
        invocation.command = Command::Renumber;
        error = parseRenumberOptions(arguments, invocation.renumber.emplace());
        codePage = &invocation.renumber->codePage;
    } else if (command == QLatin1String("rename")) {
        invocation.command = Command::Rename;
        error = parseRenameOptions(arguments, invocation.rename.emplace());
        codePage = &invocation.rename->codePage;
    } else {
        return std::nullopt;
    }
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h")))
        return ParsedCommandLine{Invocation{}, QString()};
    if (!error.isEmpty())
        return ParsedCommandLine{std::nullopt, error};
    if (leadingCodePage) {
        if (*codePage)
            return ParsedCommandLine{std::nullopt, QStringLiteral("%1: --code-page is given more than once.").arg(command)};
        *codePage = checkedCodePage(*leadingCodePage, error);
        if (!error.isEmpty())
            return ParsedCommandLine{std::nullopt, error};
    }
    invocation.codePage = *codePage;
    return ParsedCommandLine{invocation, QString()};
}

} // namespace ojn::cli
