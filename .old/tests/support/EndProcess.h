#pragma once

namespace ojn::test {

// Ends the process at once with `status`, running no more teardown: for a
// test whose results are all written, where Wine at times hangs in the
// system's own teardown of the process.
[[noreturn]] void endProcessNow(int status);

} // namespace ojn::test
