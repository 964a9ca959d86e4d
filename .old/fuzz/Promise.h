#pragma once

#include <cstdio>
#include <cstdlib>

namespace ojn::fuzz {

// Stops the process, which libFuzzer records as a failing input, when a
// promise of the code under test is broken.
inline void require(bool promise, const char *what)
{
    if (!promise) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

} // namespace ojn::fuzz
