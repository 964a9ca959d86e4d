#include "cli/CommandLine.h"

#include "model/HeaderFields.h"
#include "text/CodePage.h"

#include <QCommandLineParser>

namespace ojn::cli {
namespace {

ParsedCommandLine usageError(const QString &message)
{
    return ParsedCommandLine{std::nullopt, message};
}

QCommandLineOption valueOption(const QString &name)
{
    return QCommandLineOption(name, QString(), QStringLiteral("value"));
}

const QString codePageOption = QStringLiteral("code-page");

// The options each command takes; --help is accepted by all of them.
QStringList optionsOf(Command command)
{
    switch (command) {
    case Command::Show:
    case Command::ListShow:
        return {QStringLiteral("json"), codePageOption};
    case Command::Set: {
        QStringList options;
        for (const HeaderFieldInfo &info : headerFields()) {
            if (*info.option)
                options << QLatin1String(info.option);
        }
        return options << QStringLiteral("cover") << QStringLiteral("thumbnail") << QStringLiteral("output") << codePageOption;
    }
    case Command::Extract:
        return {QStringLiteral("cover"), QStringLiteral("thumbnail"), codePageOption};
    case Command::Check:
        return {QStringLiteral("json"), QStringLiteral("list"), codePageOption};
    case Command::ListBuild:
        return {QStringLiteral("output"), QStringLiteral("sections-from"), codePageOption};
    case Command::ListSync:
        return {QStringLiteral("dry-run"), QStringLiteral("drop-missing"), codePageOption};
    case Command::Export:
        return {QStringLiteral("output"), codePageOption};
    case Command::Import:
        return {QStringLiteral("dry-run"), codePageOption};
    default:
        return {};
    }
}

// The options that take no value.
bool isSwitch(const QString &name)
{
    return name == QLatin1String("json") || name == QLatin1String("dry-run") || name == QLatin1String("drop-missing");
}

// How many paths a command takes, and what to say when that is wrong.
struct PathsWanted {
    qsizetype least;
    qsizetype most; // -1: no limit
    QString missing;
};

PathsWanted pathsWanted(Command command)
{
    switch (command) {
    case Command::Check:
    case Command::Export:
        return {1, -1, QStringLiteral("no chart or folder given.")};
    case Command::Import:
        return {1, 1, QStringLiteral("give one CSV file.")};
    case Command::ListShow:
        return {1, 1, QStringLiteral("give one song list.")};
    case Command::ListBuild:
        return {1, 1, QStringLiteral("give one music folder.")};
    case Command::ListSync:
        return {2, 2, QStringLiteral("give the song list, then the music folder.")};
    default:
        return {1, -1, QStringLiteral("no chart file given.")};
    }
}

// The command a word names: a command itself, or after "list" one of
// list's.
std::optional<Command> commandNamed(const QString &word, bool afterList)
{
    static const QList<std::pair<QLatin1String, Command>> commands{
        {QLatin1String("show"), Command::Show}, {QLatin1String("set"), Command::Set},
        {QLatin1String("extract"), Command::Extract}, {QLatin1String("check"), Command::Check},
        {QLatin1String("export"), Command::Export}, {QLatin1String("import"), Command::Import}};
    static const QList<std::pair<QLatin1String, Command>> listCommands{
        {QLatin1String("show"), Command::ListShow}, {QLatin1String("build"), Command::ListBuild},
        {QLatin1String("sync"), Command::ListSync}};
    for (const auto &[name, command] : afterList ? listCommands : commands) {
        if (word == name)
            return command;
    }
    return std::nullopt;
}

std::optional<QString> valueOf(const QCommandLineParser &parser, const QString &name)
{
    if (!parser.isSet(name))
        return std::nullopt;
    return parser.value(name);
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

} // namespace

ParsedCommandLine parseCommandLine(const QStringList &allArguments)
{
    QStringList arguments = allArguments;
    std::optional<QString> codePage;
    if (!takeLeadingCodePage(arguments, codePage))
        return usageError(QStringLiteral("--code-page takes one number, once."));
    if (arguments.isEmpty())
        return usageError(QStringLiteral("no command given."));

    const QString first = arguments.first();
    Invocation invocation;
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        invocation.command = Command::Help;
        return ParsedCommandLine{invocation, QString()};
    }
    if (first == QLatin1String("--version")) {
        invocation.command = Command::Version;
        return ParsedCommandLine{invocation, QString()};
    }
    QString name = first; // as messages name the command
    std::optional<Command> command = commandNamed(first, false);
    if (first == QLatin1String("list")) {
        const QString second = arguments.value(1);
        if (second == QLatin1String("--help") || second == QLatin1String("-h"))
            return ParsedCommandLine{invocation, QString()};
        command = commandNamed(second, true);
        if (!command)
            return usageError(second.isEmpty() ? QStringLiteral("list: give show, build or sync after it.")
                                               : QStringLiteral("list: give show, build or sync after it, not \"%1\".").arg(second));
        // The second word stands in for the program's name below.
        arguments.removeFirst();
        name = QStringLiteral("list ") + second;
    } else if (!command && first.startsWith(QLatin1Char('-'))) {
        return usageError(QStringLiteral("the command comes first: show, set, extract, check, list, export or import (not %1).").arg(first));
    } else if (!command) {
        return usageError(
            QStringLiteral("unknown command \"%1\"; the commands are show, set, extract, check, list, export and import.").arg(first));
    }
    invocation.command = *command;

    const QStringList names = optionsOf(invocation.command);
    QCommandLineParser parser;
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    for (const QString &option : names) {
        if (isSwitch(option))
            parser.addOption(QCommandLineOption(option));
        else
            parser.addOption(valueOption(option));
    }
    // QCommandLineParser skips the program's name; the command stands in for it.
    if (!parser.parse(arguments))
        return usageError(QStringLiteral("%1: %2").arg(name, parser.errorText()));
    if (parser.isSet(QStringLiteral("help"))) {
        invocation.command = Command::Help;
        return ParsedCommandLine{invocation, QString()};
    }
    for (const QString &option : names) {
        if (parser.values(option).size() > 1)
            return usageError(QStringLiteral("%1: --%2 is given more than once.").arg(name, option));
    }

    if (parser.isSet(codePageOption)) {
        if (codePage)
            return usageError(QStringLiteral("%1: --code-page is given more than once.").arg(name));
        codePage = parser.value(codePageOption);
    }
    if (codePage) {
        bool isNumber = false;
        const int page = codePage->toInt(&isNumber);
        if (!isNumber || !TextCodec::supports(page))
            return usageError(QStringLiteral("unknown or unsupported code page \"%1\"; give a Windows code page "
                                             "number such as 949, 932, 936, 950, 1251 or 1252.")
                                  .arg(*codePage));
        invocation.codePage = page;
    }

    invocation.files = parser.positionalArguments();
    const PathsWanted wanted = pathsWanted(invocation.command);
    if (invocation.files.size() < wanted.least || (wanted.most >= 0 && invocation.files.size() > wanted.most))
        return usageError(QStringLiteral("%1: %2").arg(name, wanted.missing));

    switch (invocation.command) {
    case Command::Show:
    case Command::ListShow:
        invocation.json = parser.isSet(QStringLiteral("json"));
        break;
    case Command::Check:
        invocation.json = parser.isSet(QStringLiteral("json"));
        invocation.listPath = valueOf(parser, QStringLiteral("list"));
        break;
    case Command::ListBuild:
        invocation.outputPath = valueOf(parser, QStringLiteral("output"));
        invocation.sectionsFrom = valueOf(parser, QStringLiteral("sections-from"));
        if (!invocation.outputPath)
            return usageError(QStringLiteral("list build: give --output LIST, the song list to write."));
        break;
    case Command::Export:
        invocation.outputPath = valueOf(parser, QStringLiteral("output"));
        break;
    case Command::Import:
        invocation.dryRun = parser.isSet(QStringLiteral("dry-run"));
        break;
    case Command::ListSync:
        invocation.dryRun = parser.isSet(QStringLiteral("dry-run"));
        invocation.dropMissing = parser.isSet(QStringLiteral("drop-missing"));
        break;
    case Command::Set: {
        FieldEdits &edits = invocation.edits;
        for (const HeaderFieldInfo &info : headerFields()) {
            if (*info.option)
                edits[info.field] = valueOf(parser, QLatin1String(info.option));
        }
        invocation.coverPath = valueOf(parser, QStringLiteral("cover"));
        invocation.thumbnailPath = valueOf(parser, QStringLiteral("thumbnail"));
        invocation.outputPath = valueOf(parser, QStringLiteral("output"));
        if (invocation.outputPath && invocation.files.size() > 1)
            return usageError(QStringLiteral("set: --output takes one chart file, not %1.").arg(invocation.files.size()));
        // A bare `set FILE` would rewrite the chart for nothing; a copy
        // through --output is a deliberate save under a new name.
        if (!edits.any() && !invocation.coverPath && !invocation.thumbnailPath && !invocation.outputPath)
            return usageError(QStringLiteral("set: nothing to change; give at least one field, picture or --output."));
        break;
    }
    case Command::Extract:
        invocation.coverPath = valueOf(parser, QStringLiteral("cover"));
        invocation.thumbnailPath = valueOf(parser, QStringLiteral("thumbnail"));
        if (invocation.files.size() > 1)
            return usageError(QStringLiteral("extract: takes one chart file, not %1.").arg(invocation.files.size()));
        if (!invocation.coverPath && !invocation.thumbnailPath)
            return usageError(QStringLiteral("extract: give --cover OUT, --thumbnail OUT or both."));
        break;
    default:
        break;
    }
    return ParsedCommandLine{invocation, QString()};
}

QString versionText()
{
    return QStringLiteral("ojn-header %1\n").arg(QStringLiteral(OJN_VERSION));
}

QString usageHint()
{
    return QStringLiteral("Usage: ojn-header [--code-page N] show|set|extract FILE... [OPTIONS]\n"
                          "       ojn-header [--code-page N] check PATH... | list show|build|sync ... [OPTIONS]\n"
                          "       ojn-header [--code-page N] export PATH... [--output CSV] | import CSV [--dry-run]\n"
                          "Try 'ojn-header --help' for the whole manual.\n");
}

} // namespace ojn::cli
