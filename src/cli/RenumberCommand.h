#pragma once

#include "cli/Console.h"

#include <QString>

#include <optional>

namespace ojn::cli {

// `renumber CHART --id N [--list LIST] [--dry-run]`: gives one chart of a
// music folder a new song ID, its files named for it.
struct RenumberOptions {
    QString chart;
    qint64 id = 0;
    std::optional<QString> listPath;
    bool dryRun = false;
    std::optional<int> codePage;
};

// Reads the arguments from the command's word on; empty, or the usage error.
[[nodiscard]] QString parseRenumberOptions(const QStringList &arguments, RenumberOptions &options);

int runRenumber(const RenumberOptions &options, Console &console);

} // namespace ojn::cli
