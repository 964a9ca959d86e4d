#pragma once

#include "cli/Console.h"
#include "folderplans/FolderPlan.h"
#include "folderplans/FolderPlans.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace ojn::cli {

// What add, renumber and rename share on the command line: the --list,
// --dry-run and --code-page options, and printing and running a plan.

// Sets up `parser` with --help, --dry-run, --list, --code-page and the
// command's own value options, and parses `arguments` (the command's word
// first). Empty on success, else the usage error.
[[nodiscard]] QString parseFolderOptions(QCommandLineParser &parser, const QString &command, const QStringList &arguments,
                                         const QStringList &valueOptions);

// The command's --code-page, checked; a usage error in `error` when it is
// not a code page. Nothing when not given.
[[nodiscard]] std::optional<int> folderCodePage(const QCommandLineParser &parser, QString &error);
[[nodiscard]] std::optional<int> checkedCodePage(const QString &given, QString &error);

// Prints each refusal and note, then runs the plan (or with `dryRun`
// prints its steps), then the summary; returns the exit status.
int runFolderPlan(const PlanResult &planned, bool dryRun, const QString &doneWord, Console &console);

} // namespace ojn::cli
