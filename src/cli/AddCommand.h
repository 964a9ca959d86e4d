#pragma once

#include "cli/Console.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ojn::cli {

// `add FOLDER CHART... [--first-id N] [--list LIST] [--dry-run]`: copies
// charts with their OJMs into a music folder under free song IDs.
struct AddOptions {
    QString folder;
    QStringList charts;
    std::optional<qint64> firstId;
    std::optional<QString> listPath;
    bool dryRun = false;
    std::optional<int> codePage;
};

// Reads the arguments from the command's word on; empty, or the usage error.
[[nodiscard]] QString parseAddOptions(const QStringList &arguments, AddOptions &options);

int runAdd(const AddOptions &options, Console &console);

} // namespace ojn::cli
