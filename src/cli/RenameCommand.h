#pragma once

#include "cli/Console.h"

#include <QString>

#include <optional>

namespace ojn::cli {

// `rename FOLDER [--list LIST] [--dry-run]`: names every chart of a music
// folder and its OJM for the song ID its header holds.
struct RenameOptions {
    QString folder;
    std::optional<QString> listPath;
    bool dryRun = false;
    std::optional<int> codePage;
};

// Reads the arguments from the command's word on; empty, or the usage error.
[[nodiscard]] QString parseRenameOptions(const QStringList &arguments, RenameOptions &options);

int runRename(const RenameOptions &options, Console &console);

} // namespace ojn::cli
