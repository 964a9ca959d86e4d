#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"

namespace ojn::cli {

// The song list commands. Each returns an ExitStatus.

// `list show LIST`: the entries' header fields and durations, and the
// size of the extra sections.
int runListShow(const Invocation &invocation, Console &console);

// `list build FOLDER --output LIST`: a new list of every readable chart
// in song ID order, carrying --sections-from's extra sections. Refused,
// writing nothing, when two charts share a song ID.
int runListBuild(const Invocation &invocation, Console &console);

// `list sync LIST FOLDER`: brings the list in step with the folder and
// prints one summary line; writes nothing when nothing changes or with
// --dry-run.
int runListSync(const Invocation &invocation, Console &console);

} // namespace ojn::cli
