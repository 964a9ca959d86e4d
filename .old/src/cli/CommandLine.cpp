#include "cli/CommandLine.h"

#include "text/CodePage.h"

namespace ojn::cli {
namespace {

const QString codePageOption = QStringLiteral("code-page");

bool isHelpOption(const QString &word)
{
    return word == QLatin1String("--help") || word == QLatin1String("-h");
}

Runner printing(QString (*text)())
{
    return [text](Console &console) {
        console.out << text();
        console.out.flush();
        return int(ExitOk);
    };
}

// "a, b or c", "a, b and c".
QString listed(const QStringList &words, const QString &last)
{
    QStringList head = words;
    const QString tail = head.takeLast();
    return head.isEmpty() ? tail : head.join(QLatin1String(", ")) + QLatin1Char(' ') + last + QLatin1Char(' ') + tail;
}

// The first words of the commands: their names, and a group's word once.
QStringList commandWords()
{
    QStringList words;
    for (const CommandSpec &command : commands()) {
        const QString word = command.group.isEmpty() ? command.name : command.group;
        if (!words.contains(word))
            words.append(word);
    }
    return words;
}

const CommandSpec *commandNamed(const QString &group, const QString &name)
{
    for (const CommandSpec &command : commands()) {
        if (command.group == group && command.name == name)
            return &command;
    }
    return nullptr;
}

// The command the first words name; null for a group's --help. A group's
// word is taken off, so that the command's name stands where
// QCommandLineParser takes the program's name.
Result<const CommandSpec *> commandNamedBy(QStringList &arguments)
{
    const QString first = arguments.first();
    QStringList inGroup;
    for (const CommandSpec &command : commands()) {
        if (!command.group.isEmpty() && command.group == first)
            inGroup.append(command.name);
    }
    if (!inGroup.isEmpty()) {
        const QString second = arguments.value(1);
        if (isHelpOption(second))
            return nullptr;
        const CommandSpec *command = commandNamed(first, second);
        if (!command) {
            const QString wanted = QStringLiteral("%1: give %2 after it").arg(first, listed(inGroup, QStringLiteral("or")));
            return Failure{second.isEmpty() ? wanted + QLatin1Char('.') : wanted + QStringLiteral(", not \"%1\".").arg(second)};
        }
        arguments.removeFirst();
        return command;
    }
    if (const CommandSpec *command = commandNamed(QString(), first))
        return command;
    if (first.startsWith(QLatin1Char('-'))) {
        return Failure{QStringLiteral("the command comes first: %1 (not %2).").arg(listed(commandWords(), QStringLiteral("or")), first)};
    }
    return Failure{QStringLiteral("unknown command \"%1\"; the commands are %2.").arg(first, listed(commandWords(), QStringLiteral("and")))};
}

// Takes a --code-page written before the command, as a setting of the
// whole run; false on a missing value or a repeat.
bool takeLeadingCodePage(QStringList &arguments, std::optional<QString> &codePage)
{
    const QString option = QStringLiteral("--") + codePageOption;
    while (!arguments.isEmpty()
           && (arguments.first() == option || arguments.first().startsWith(option + QLatin1Char('=')))) {
        const QString given = arguments.takeFirst();
        if (codePage || (given == option && arguments.isEmpty()))
            return false;
        codePage = given == option ? arguments.takeFirst() : given.mid(option.size() + 1);
    }
    return true;
}

Result<int> codePageNumbered(const QString &given)
{
    bool isNumber = false;
    const int page = given.toInt(&isNumber);
    if (!isNumber || !TextCodec::supports(page))
        return Failure{QStringLiteral("unknown or unsupported code page \"%1\"; give a Windows code page "
                                      "number such as 949, 932, 936, 950, 1251 or 1252.")
                           .arg(given)};
    return page;
}

// The command's options and paths, after what every command shares.
Result<Runner> parseCommand(const CommandSpec &command, const QStringList &arguments, std::optional<QString> codePage)
{
    const QString name = command.group.isEmpty() ? command.name : command.group + QLatin1Char(' ') + command.name;
    QCommandLineParser parser;
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    QList<QCommandLineOption> options = command.options;
    options.append(valueOption(codePageOption));
    parser.addOptions(options);
    // QCommandLineParser skips the program's name; the command stands in for it.
    if (!parser.parse(arguments))
        return usageError(name, parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        return printing(helpText);
    for (const QCommandLineOption &option : std::as_const(options)) {
        if (parser.values(option.names().first()).size() > 1)
            return usageError(name, QStringLiteral("--%1 is given more than once.").arg(option.names().first()));
    }
    if (parser.isSet(codePageOption)) {
        if (codePage)
            return usageError(name, QStringLiteral("--code-page is given more than once."));
        codePage = parser.value(codePageOption);
    }
    std::optional<int> page;
    if (codePage) {
        const Result<int> numbered = codePageNumbered(*codePage);
        if (!numbered.ok())
            return Failure{numbered.error()};
        page = numbered.value();
    }
    const CommandArguments given{name, parser, parser.positionalArguments()};
    const PathCount &count = command.paths;
    if (given.paths.size() < count.least || (count.most >= 0 && given.paths.size() > count.most))
        return given.usageError(count.wrong);
    Result<Runner> run = command.parse(given);
    if (!run.ok() || !page)
        return run;
    return Runner([page = *page, run = std::move(run).value()](Console &console) {
        console.codec = TextCodec(page);
        return run(console);
    });
}

} // namespace

Result<Runner> parseCommandLine(const QStringList &allArguments)
{
    QStringList arguments = allArguments;
    std::optional<QString> codePage;
    if (!takeLeadingCodePage(arguments, codePage))
        return Failure{QStringLiteral("--code-page takes one number, once.")};
    if (arguments.isEmpty())
        return Failure{QStringLiteral("no command given.")};
    const QString first = arguments.first();
    if (isHelpOption(first) || first == QLatin1String("help"))
        return printing(helpText);
    if (first == QLatin1String("--version"))
        return printing(versionText);
    const Result<const CommandSpec *> command = commandNamedBy(arguments);
    if (!command.ok())
        return Failure{command.error()};
    if (!command.value())
        return printing(helpText);
    return parseCommand(*command.value(), arguments, codePage);
}

} // namespace ojn::cli
