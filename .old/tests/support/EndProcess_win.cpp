#include "support/EndProcess.h"

#include <cstdio>
#include <cstdlib>

#include <windows.h>

namespace ojn::test {

void endProcessNow(int status)
{
    std::fflush(nullptr);
    // No DLL is told the process ends: that is where the hang lies.
    TerminateProcess(GetCurrentProcess(), UINT(status));
    std::_Exit(status);
}

} // namespace ojn::test
