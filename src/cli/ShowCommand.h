#pragma once

#include "cli/Console.h"
#include "model/ChartRecord.h"

#include <QJsonObject>

namespace ojn::cli {

// The header as the editor shows it, one "Name: value" line per field.
[[nodiscard]] QString headerBlock(const ChartRecord &record, const Console &console);

// The header for scripts: decoded texts with their stored bytes in hex.
[[nodiscard]] QJsonObject headerJson(const ChartRecord &record, const Console &console);

} // namespace ojn::cli
