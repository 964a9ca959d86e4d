#pragma once

#include "model/ChartCheck.h"
#include "model/ChartRecord.h"
#include "result/Result.h"
#include "text/CodePage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace ojn {

// The header fields as CSV: a column "file", then one per header field,
// named by its JSON key, in the field table's order.
[[nodiscard]] QStringList headerCsvColumns();

// A tempo in the shortest text that reads back to the same 32-bit float,
// with "." whatever the locale; one that is not finite as bpmText has it.
[[nodiscard]] QString csvBpmText(float value);
// The genre's name as the editor lists it, or its number outside the list.
[[nodiscard]] QString csvGenreText(qint16 genre);

// The fields as the editor reads them from a header (a title's first 32
// bytes): what a CSV row shows and an import compares with.
[[nodiscard]] ChartRecord csvRecordOf(const ChartHeader &header);
// One cell per header field, in the columns' order after "file".
[[nodiscard]] QStringList headerCsvCells(const ChartRecord &record, const TextCodec &codec);

// The "file" cell: the chart's path relative to `folder` with "/" when it
// lies under it, else its absolute path.
[[nodiscard]] QString csvFileCell(const QString &chartPath, const QString &folder);
// The chart a "file" cell names, for a CSV in `folder`.
[[nodiscard]] QString chartPathOfCell(const QString &cell, const QString &folder);

// A whole CSV of the charts' headers, in their order: the byte order mark,
// the columns, then one row per chart whose header could be read. The
// others are left out and listed in `leftOut`.
struct HeaderCsvExport {
    QByteArray bytes;
    qsizetype rows = 0;
    QList<ChartScan> leftOut;
};
[[nodiscard]] HeaderCsvExport exportHeaderCsv(const QList<ChartScan> &charts, const QString &folder, const TextCodec &codec);

// Refuses a name a CSV must not be written over: a chart or an OJM, as
// named or through links; then, by content, a chart, an OJM or a song list
// under any name (see checkOutputTarget).
[[nodiscard]] Result<> checkCsvTarget(const QString &path);
// Writes the CSV at `path` safely (see writeFileSafely), after that check.
[[nodiscard]] Result<> writeHeaderCsvFile(const HeaderCsvExport &csv, const QString &path);

} // namespace ojn
