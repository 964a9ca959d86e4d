#pragma once

// What standard output and error need from the system's console, which
// differs per system: one file each for POSIX (SystemConsole_posix.cpp) and
// Windows (SystemConsole_win.cpp), picked by the build.

#include <QIODevice>

#include <cstdio>
#include <memory>

namespace ojn::systemconsole {

// A device writing to the console that `stream` leads to, where the
// console needs its own interface; nothing where the stream's bytes can go
// as they are.
[[nodiscard]] std::unique_ptr<QIODevice> openConsole(FILE *stream);

// When `stream` leads nowhere (a GUI program's own streams), borrows the
// console the program was started from, if it has one.
void borrowParentConsole(FILE *stream);

} // namespace ojn::systemconsole
