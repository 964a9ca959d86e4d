// The standard streams on Linux and other POSIX systems: a terminal takes
// the UTF-8 bytes as they are, and every program has its streams.
#include "standardstreams/SystemConsole.h"

namespace ojn::systemconsole {

std::unique_ptr<QIODevice> openConsole(FILE *)
{
    return nullptr;
}

void borrowParentConsole(FILE *) {}

} // namespace ojn::systemconsole
