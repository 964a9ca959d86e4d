#pragma once

#include "cli/Command.h"
#include "cli/Console.h"
#include "folderplans/FolderPlan.h"
#include "result/Result.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace ojn::cli {

// What add, renumber and rename share on the command line: the --list
// and --dry-run options, and printing and running a plan.

// The options of a folder command: --dry-run, --list and its own value
// options.
[[nodiscard]] QList<QCommandLineOption> folderPlanOptions(const QStringList &valueOptions);

// What every folder command reads from --list and --dry-run.
struct PlanOptions {
    std::optional<QString> listPath;
    bool dryRun = false;

    // The plan's settings from these and the console's code page.
    void fill(PlanSettings &settings, const Console &console) const;
};
[[nodiscard]] PlanOptions planOptionsOf(const CommandArguments &arguments);

// What a song ID option takes: "a song ID is a number from 0 to ...".
[[nodiscard]] QString songIdRule();

// A song ID option's text as an ID from 0 to LastSongId, or nothing when
// it is not one.
[[nodiscard]] std::optional<qint64> songIdOf(const QString &text);

// Prints each refusal and note, then runs the plan (or with `dryRun`
// prints its steps), then the summary; returns the exit status.
int runFolderPlan(const Result<FolderPlan> &planned, bool dryRun, const QString &doneWord, Console &console);

} // namespace ojn::cli
