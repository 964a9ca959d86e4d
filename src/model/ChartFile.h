#pragma once

#include "model/ChartRecord.h"
#include "model/CodePage.h"
#include "model/FieldValues.h"
#include "model/Outcome.h"

#include <QLocale>
#include <QString>

namespace ojn {

// Writes the record as a chart file at `path`, safely (see writeFileSafely):
// the old file stays whole until the new one is complete on disk. Checks
// the record before anything is created.
Outcome saveChartFile(const ChartRecord &record, const QString &path);

// Reads the chart at `path`, applies the edits to its fields and saves it
// in place as above: the one-chart edit of `ojn-header set`, for editing
// many charts at once. An encrypted chart is refused as the editor
// refuses it; the failure says why in plain words.
Outcome editChartFile(const QString &path, const FieldEdits &edits, const TextCodec &codec, const QLocale &locale);

} // namespace ojn
