#pragma once

#include "cli/Command.h"

#include <QString>
#include <QStringList>

namespace ojn::cli {

// Reads the arguments that follow the program's name into the command
// they ask for, with its options read (--help and --version are commands
// too). Checks what every command shares: --code-page before or after the
// command, --help anywhere, known options given once, the path count;
// each command then checks its own options. A Failure is a usage error.
[[nodiscard]] Result<Runner> parseCommandLine(const QStringList &arguments);

// The whole manual, printed by --help.
[[nodiscard]] QString helpText();
[[nodiscard]] QString versionText();
// The two lines printed after a usage error.
[[nodiscard]] QString usageHint();

} // namespace ojn::cli
