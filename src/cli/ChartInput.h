#pragma once

#include "cli/Console.h"
#include "model/ChartRecord.h"

#include <QString>

#include <optional>

namespace ojn::cli {

// Reads a chart as the editor opens it. A refused or unreadable chart is
// reported on the console, naming the file, and gives nothing.
[[nodiscard]] std::optional<ChartRecord> readChartOrReport(const QString &path, Console &console);

} // namespace ojn::cli
