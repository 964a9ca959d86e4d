#pragma once

#include "folderchecks/ChartBatchCheck.h"
#include "model/ChartFile.h"
#include "model/HeaderFields.h"
#include "result/Result.h"
#include "text/CodePage.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>

namespace ojn {

// One field a row changes, as CSV cells show the values.
struct CsvFieldChange {
    HeaderField field;
    QString oldText;
    QString newText;
};

// A good row: its chart, the fields that differ from the stored ones (the
// edits hold those only, so a save equals `ojn-header set` of them), and
// the read-only note counts that differ, which change nothing.
struct CsvChartPlan {
    qsizetype line = 0;
    QString file; // the cell, as the CSV names the chart
    QString path;
    QList<CsvFieldChange> changes;
    ChartEdits edits;
    QList<CsvFieldChange> readOnlyDifferences; // the cells cut for messages
    qint32 songId = 0; // the song ID the chart holds once the row is done
};

struct CsvBadRow {
    qsizetype line = 0;
    QString reason;
};

// A CSV checked whole against the charts it names, before anything is
// written. The file itself is refused (unreadable, not UTF-8, a header row
// without "file" or with an unknown or repeated column) as a failure of
// the planning.
struct HeaderCsvImportPlan {
    QList<CsvChartPlan> rows; // every good row, in the file's order
    QList<CsvBadRow> badRows;

    [[nodiscard]] qsizetype changedCharts() const;
    [[nodiscard]] qsizetype unchangedRows() const;
};

// Reads every row and checks it against its chart's header, read as the
// folder check reads it: a chart that is missing or unreadable, a value
// its field refuses (see applyFieldEdits), a genre not in the list, a
// malformed or ragged line, a chart named twice, a file that is no chart
// (see keepHeaderOfChartsOnly), a change to an encrypted chart, and a song
// ID another chart of the chart's folder would then hold too (another
// row's or a file's, named in the reason) make a bad row.
// Numbers are read with "." or the locale's separator. A field whose value
// equals the stored one (the number, or the text's bytes in the code
// page) is no change.
[[nodiscard]] Result<HeaderCsvImportPlan> planHeaderCsvImport(const QByteArray &csv, const QString &csvFolder, const TextCodec &codec,
                                                      const QLocale &locale, const ScanControl &control = {});
// The same for a file: the charts are named relative to its folder.
[[nodiscard]] Result<HeaderCsvImportPlan> planHeaderCsvImportFile(const QString &csvPath, const TextCodec &codec, const QLocale &locale,
                                                          const ScanControl &control = {});

// Saves one changed chart through editChartFile, reading it again.
[[nodiscard]] Result<> applyCsvChartPlan(const CsvChartPlan &plan, const TextCodec &codec, const QLocale &locale);

// "BPM: 146 -> 150", "Title: \"Old\" -> \"New\"".
[[nodiscard]] QString csvChangeText(const CsvFieldChange &change);

} // namespace ojn
