#pragma once

#include "cli/RecordFormat.h"
#include "model/ChartRecord.h"

namespace ojn::cli {

// A chart as `show` prints it: the header as the editor shows it, one
// "Name: value" line per field, with the file and its pictures; or for
// scripts the decoded texts with their stored bytes in hex and the
// pictures' offsets, sizes and forms.
[[nodiscard]] RecordFormat<ChartRecord> chartFormat();

} // namespace ojn::cli
