#pragma once

#include "model/ChartRecord.h"
#include "model/Outcome.h"

#include <QString>

namespace ojn {

// Writes the record as a chart file at `path`, safely (see writeFileSafely):
// the old file stays whole until the new one is complete on disk. Checks
// the record before anything is created.
Outcome saveChartFile(const ChartRecord &record, const QString &path);

} // namespace ojn
