#include "CsvChecks.h"

#include "Promise.h"

#include "headercsv/HeaderCsvImport.h"
#include "text/Csv.h"

#include <QLocale>

namespace ojn::fuzz {

void checkCsvInput(QByteArrayView input)
{
    const QByteArray bytes = input.toByteArray();
    const Result<QString> text = csvTextOf(bytes);
    if (!text.ok())
        return;
    const QList<CsvRecord> records = readCsv(text.value());
    const qsizetype lines = text.value().count(u'\n') + text.value().count(u'\r') + 1;
    qsizetype previous = 0;
    for (const CsvRecord &record : records) {
        require(record.line > previous && record.line <= lines, "records start on increasing lines within the text");
        previous = record.line;
        if (!record.error.isEmpty())
            continue;
        const Result<QString> line = csvTextOf(csvByteOrderMark() + csvLine(record.fields));
        require(line.ok(), "a record written is UTF-8");
        const QList<CsvRecord> again = readCsv(line.value());
        require(again.size() == 1 && again.first().error.isEmpty() && again.first().fields == record.fields,
                "a record written and read again has the same fields");
    }

    // The folder does not exist, so no row can name a chart in it; an
    // absolute path elsewhere could, so only the lines are promised then.
    const Result<HeaderCsvImportPlan> planned = planHeaderCsvImport(bytes, QStringLiteral("/nonexistent-fuzz-folder"), TextCodec(1252), QLocale::c());
    if (!planned.ok()) {
        require(!planned.error().isEmpty(), "a refused file says why");
        return;
    }
    const HeaderCsvImportPlan &plan = planned.value();
    require(plan.rows.size() + plan.badRows.size() < records.size(), "at most one plan or bad row per record after the header");
    for (const CsvBadRow &bad : plan.badRows)
        require(bad.line > 1 && bad.line <= lines && !bad.reason.isEmpty(), "a bad row is named by its line, with a reason");
}

} // namespace ojn::fuzz
