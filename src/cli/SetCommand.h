#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "model/FieldValues.h"

#include <optional>

namespace ojn::cli {

// The genre name that a --genre value stands for: a name from the list
// (exact) or its number 0 to 10; nothing for anything else.
[[nodiscard]] std::optional<QString> genreNameFor(const QString &value);

// `set`: checks every value once, before any chart is read (a bad value is
// a usage error), then changes and writes each chart in turn, going on
// past the ones that are refused or fail to write.
int runSet(const Invocation &invocation, Console &console);

} // namespace ojn::cli
