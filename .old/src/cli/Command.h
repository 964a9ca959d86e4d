#pragma once

#include "cli/Console.h"
#include "result/Result.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace ojn::cli {

// A command with its options read, ready to run; gives an ExitStatus.
using Runner = std::function<int(Console &)>;

// What the shared part of the command line hands a command: its options
// parsed and checked for repeats, and its paths counted.
struct CommandArguments {
    QString name; // as messages name the command: "set", "list build"
    const QCommandLineParser &options;
    QStringList paths;

    [[nodiscard]] std::optional<QString> value(const QString &option) const;
    // A usage error of this command: "NAME: message".
    [[nodiscard]] Failure usageError(const QString &message) const;
};

// A usage error of a command: "COMMAND: message".
[[nodiscard]] Failure usageError(const QString &command, const QString &message);

// How many paths a command takes, and what to say when that is wrong.
struct PathCount {
    qsizetype least = 1;
    qsizetype most = -1; // -1: no limit
    QString wrong;
};

// One command of ojn-header, as the registry (CommandRegistry.cpp) lists it.
struct CommandSpec {
    QString group; // "list" for the song list's commands; empty for the others
    QString name;
    QList<QCommandLineOption> options; // its own; --help and --code-page are every command's
    PathCount paths;
    // Reads the command's options into its own struct and binds them to
    // its runner; a Failure is a usage error.
    std::function<Result<Runner>(const CommandArguments &)> parse;
};

[[nodiscard]] QCommandLineOption switchOption(const QString &name);
[[nodiscard]] QCommandLineOption valueOption(const QString &name);

// A command's parse step from its own parser, which fills its options
// struct, and its runner, which takes that struct.
template <typename Options>
std::function<Result<Runner>(const CommandArguments &)> parsedInto(Result<Options> (*parse)(const CommandArguments &),
                                                                   int (*run)(const Options &, Console &))
{
    return [parse, run](const CommandArguments &arguments) -> Result<Runner> {
        Result<Options> options = parse(arguments);
        if (!options.ok())
            return Failure{options.error()};
        return Runner([run, options = std::move(options).value()](Console &console) { return run(options, console); });
    };
}

// Every command, in the order usage errors name them.
[[nodiscard]] const QList<CommandSpec> &commands();

} // namespace ojn::cli
