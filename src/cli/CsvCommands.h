#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"

namespace ojn::cli {

// `export PATH... [--output FILE]`: one CSV row per readable chart of the
// charts and folders given (a folder's charts as `check` lists them), to
// FILE or standard output. A chart left out is reported; ExitRefused then.
int runExport(const Invocation &invocation, Console &console);

// `import FILE [--dry-run]`: checks every row of the CSV against its chart
// first; a bad row stops everything. Then saves each changed chart, going
// on past a failed save (ExitRefused then). With --dry-run it only prints
// the changes.
int runImport(const Invocation &invocation, Console &console);

} // namespace ojn::cli
