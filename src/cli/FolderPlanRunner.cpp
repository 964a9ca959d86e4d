#include "cli/FolderPlanRunner.h"

#include "folderplans/PlanExecutor.h"
#include "model/SongId.h"
#include "text/CodePage.h"

namespace ojn::cli {

QList<QCommandLineOption> folderPlanOptions(const QStringList &valueOptions)
{
    QList<QCommandLineOption> options{switchOption(QStringLiteral("dry-run"))};
    for (const QString &name : valueOptions + QStringList{QStringLiteral("list")})
        options << valueOption(name);
    return options;
}

PlanOptions planOptionsOf(const CommandArguments &arguments)
{
    return PlanOptions{arguments.value(QStringLiteral("list")), arguments.options.isSet(QStringLiteral("dry-run"))};
}

void PlanOptions::fill(PlanSettings &settings, const Console &console) const
{
    settings.codec = console.codec;
    settings.listPath = listPath;
}

QString songIdRule()
{
    return QStringLiteral("a song ID is a number from 0 to %1.").arg(LastSongId);
}

std::optional<qint64> songIdOf(const QString &text)
{
    bool isNumber = false;
    const qint64 id = text.toLongLong(&isNumber);
    if (!isNumber || id < 0 || id > LastSongId)
        return std::nullopt;
    return id;
}

int runFolderPlan(const Result<FolderPlan> &planned, bool dryRun, const QString &doneWord, Console &console)
{
    if (!planned.ok()) {
        console.error(planned.error() + QStringLiteral(" Nothing was written."));
        return ExitRefused;
    }
    const FolderPlan &plan = planned.value();
    for (const PlanRefusal &refusal : plan.refused)
        console.fileError(refusal.path, QStringLiteral("refused: %1").arg(refusal.reason));
    for (const QString &line : plan.skipped)
        console.out << line << '\n';
    for (const QString &note : plan.notes)
        console.out << QStringLiteral("Note: ") << note << '\n';
    int done = plan.chartFiles();
    int failed = 0, skippedFailed = 0;
    bool listFailed = false;
    if (dryRun) {
        for (const PlanStep &step : plan.steps)
            console.out << QStringLiteral("would ") << describeStep(step, plan.folder, false) << '\n';
    } else {
        PlanControl control;
        const auto print = [&console](const QString &line) {
            console.out << line << '\n';
            console.out.flush();
        };
        control.stepDone = [&print](const PlanStep &, const QString &line) { print(line); };
        control.takenBack = print;
        const PlanRun run = executeFolderPlan(plan, control);
        // Each chart of a unit that failed is named with why; a song list
        // that failed is no chart, but still a refusal.
        for (const PlanRefusal &failure : run.failed)
            console.fileError(failure.path, failure.reason);
        listFailed = run.failedUnits.contains(-1);
        failed = run.chartFilesFailed;
        skippedFailed = run.skippedFailed;
        done = run.chartFilesDone;
    }
    const int refused = int(plan.refused.size()) + failed;
    if (listFailed)
        console.out << QStringLiteral("The song list was left as it was.\n");
    const QString counts = QStringLiteral("%1 %2, %3 already done, %4 refused.")
                               .arg(done).arg(done == 1 ? QStringLiteral("chart") : QStringLiteral("charts"))
                               .arg(plan.skipped.size() - skippedFailed).arg(refused);
    const QString summary = dryRun ? QStringLiteral("Dry run, nothing written: %1 %2").arg(doneWord.toLower(), counts)
                                   : QStringLiteral("%1 %2").arg(doneWord, counts);
    console.out << summary << '\n';
    console.out.flush();
    return refused > 0 || listFailed ? ExitRefused : ExitOk;
}

} // namespace ojn::cli
