#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"

namespace ojn::cli {

// `check`: checks the charts and folders given, each chart to its note
// sections and each folder as a whole (with --list, against the song
// list too), and prints one line per finding, then a summary. Returns
// ExitRefused when a problem is found; notes alone leave it ExitOk.
int runCheck(const Invocation &invocation, Console &console);

} // namespace ojn::cli
