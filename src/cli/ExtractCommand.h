#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"

namespace ojn::cli {

// `extract`: writes the cover and/or the thumbnail of one chart to files,
// their stored bytes exactly, each replaced safely.
int runExtract(const Invocation &invocation, Console &console);

} // namespace ojn::cli
