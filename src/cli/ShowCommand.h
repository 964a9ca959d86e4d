#pragma once

#include "cli/Console.h"
#include "model/ChartRecord.h"

#include <QJsonObject>
#include <QStringList>

namespace ojn::cli {

// The header as the editor shows it, one "Name: value" line per field.
[[nodiscard]] QString headerBlock(const ChartRecord &record, const Console &console);

// The header for scripts: decoded texts with their stored bytes in hex.
[[nodiscard]] QJsonObject headerJson(const ChartRecord &record, const Console &console);

// `show`: prints every chart that can be read; reports the others and
// returns ExitRefused when there was one.
int runShow(const QStringList &files, bool json, Console &console);

} // namespace ojn::cli
