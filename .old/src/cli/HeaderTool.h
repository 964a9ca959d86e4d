#pragma once

#include "cli/Console.h"

#include <QStringList>

namespace ojn::cli {

// Runs ojn-header with the arguments that follow the program's name and
// returns the exit status (see ExitStatus).
int runHeaderTool(const QStringList &arguments, Console &console);

} // namespace ojn::cli
