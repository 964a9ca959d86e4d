#pragma once

#include "model/ChartRecord.h"
#include "model/FieldValues.h"
#include "result/Result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace ojn {

// Writes the record as a chart file at `path`, safely (see writeFileSafely):
// the old file stays whole until the new one is complete on disk. Checks
// the record, and that `path` holds no OJM or song list (see
// checkOutputTarget), before anything is created.
Result<> saveChartFile(const ChartRecord &record, const QString &path);

// One chart's edit: new field values, and pictures to replace its own
// (already read and checked as the editor's Change Full Image does).
struct ChartEdits {
    FieldEdits fields;
    std::optional<QByteArray> cover;
    std::optional<QByteArray> thumbnail;
};

// Reads the chart at `path`, applies the edits and saves it as above, in
// place or at `target` when one is given: the one-chart edit of
// `ojn-header set` and of editing many charts at once. An encrypted chart
// is refused as the editor refuses it; the failure says why in plain words.
Result<> editChartFile(const QString &path, const ChartEdits &edits, const TextCodec &codec, const QLocale &locale,
                      const QString &target = QString());

} // namespace ojn
