#pragma once

#include "cli/CommandLine.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ojn::cli {

// The command line of add, renumber and rename: nothing when the first
// argument names none of them. `leadingCodePage` is a --code-page given
// before the command.
[[nodiscard]] std::optional<ParsedCommandLine> parseFolderCommand(const QStringList &arguments,
                                                                  const std::optional<QString> &leadingCodePage);

} // namespace ojn::cli
