#pragma once

#include "cli/Console.h"
#include "model/ChartRecord.h"

#include <QString>

#include <optional>

namespace ojn::cli {

// Why a path named on the command line is no chart file to open: not
// there, or no regular file, saying what it is; empty when it is a file.
// Folders are for the caller to take first.
[[nodiscard]] QString notAChartFileReason(const QString &path);

// Reads a chart as the editor opens it. A refused or unreadable chart is
// reported on the console, naming the file, and gives nothing.
[[nodiscard]] std::optional<ChartRecord> readChartOrReport(const QString &path, Console &console);

} // namespace ojn::cli
