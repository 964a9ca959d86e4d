#include "cli/Command.h"

#include "cli/HeaderText.h"
#include "headercsv/HeaderCsvImport.h"

#include <QDir>

namespace ojn::cli {
namespace {

void printChanges(const CsvChartPlan &row, Console &console)
{
    for (const CsvFieldChange &change : row.changes)
        console.out << row.file << ": " << printable(csvChangeText(change)) << '\n';
    for (const CsvFieldChange &difference : row.readOnlyDifferences) {
        console.out << row.file << ": note: " << fieldInfo(difference.field).label << " is " << difference.oldText
                    << " in the chart, not " << printable(difference.newText)
                    << "; note counts are only shown, so it is left as it is.\n";
    }
}

// "1 chart", "2 charts".
QString counted(qsizetype n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

struct ImportOptions {
    QString csvPath;
    bool dryRun = false; // print the changes, write nothing
};

Result<ImportOptions> parseImportOptions(const CommandArguments &arguments)
{
    return ImportOptions{arguments.paths.first(), arguments.options.isSet(QStringLiteral("dry-run"))};
}

int runImport(const ImportOptions &options, Console &console)
{
    const QString &csvPath = options.csvPath;
    const Result<HeaderCsvImportPlan> planned = planHeaderCsvImportFile(csvPath, console.codec, console.locale);
    if (!planned.ok()) {
        console.error(planned.error());
        return ExitUsage;
    }
    const HeaderCsvImportPlan &plan = planned.value();
    const QString shown = QDir::toNativeSeparators(csvPath);
    if (!plan.badRows.isEmpty()) {
        for (const CsvBadRow &bad : plan.badRows)
            console.error(QStringLiteral("%1, line %2: %3").arg(shown).arg(bad.line).arg(printable(bad.reason)));
        console.error(QStringLiteral("%1 in %2; nothing was written.").arg(counted(plan.badRows.size(), "bad row", "bad rows"), shown));
        return ExitRefused;
    }

    QStringList failed;
    qsizetype changed = 0;
    for (const CsvChartPlan &row : plan.rows) {
        printChanges(row, console);
        if (row.changes.isEmpty() || options.dryRun)
            continue;
        if (const Result<> saved = applyCsvChartPlan(row, console.codec, console.locale); !saved.ok()) {
            console.fileError(row.path, saved.error());
            failed << row.file;
            continue;
        }
        ++changed;
    }
    const qsizetype unchanged = plan.unchangedRows();
    if (options.dryRun) {
        console.out << QStringLiteral("Dry run: %1 would change, %2 no change; nothing was written.\n")
                           .arg(counted(plan.changedCharts(), "chart", "charts"), counted(unchanged, "row has", "rows have"));
    } else {
        console.out << QStringLiteral("%1 changed, %2 no change")
                           .arg(counted(changed, "chart", "charts"), counted(unchanged, "row had", "rows had"));
        if (!failed.isEmpty())
            console.out << QStringLiteral(", %1 failed: %2").arg(failed.size()).arg(failed.join(QLatin1String(", ")));
        console.out << ".\n";
    }
    console.out.flush();
    return failed.isEmpty() ? ExitOk : ExitRefused;
}

} // namespace

CommandSpec importCommand()
{
    return {QString(), QStringLiteral("import"), {switchOption(QStringLiteral("dry-run"))},
            {1, 1, QStringLiteral("give one CSV file.")}, parsedInto(parseImportOptions, runImport)};
}

} // namespace ojn::cli
