#pragma once

// The system calls that give files new names without replacing any, one
// file each for POSIX (NewFileNames_posix.cpp) and Windows
// (NewFileNames_win.cpp), picked by the build.

#include "result/Result.h"

#include <QString>

class QFile;

namespace ojn::newnames {

// How a new name was given; a failure says why (a taken name among the
// reasons).
enum class Naming {
    Done,
    Unsupported, // the file system cannot do it this way; nothing changed
};

// `from` renamed to `to` in one step that refuses to replace, or as a link
// and then the removal of `from`.
[[nodiscard]] Result<Naming> moveNoReplace(const QString &from, const QString &to);

// `to` made a second name of `from`.
[[nodiscard]] Result<Naming> linkNoReplace(const QString &from, const QString &to);

// What the file system is taken to lack (see NewFileNamesTesting.h); in
// the programs, nothing.
struct NamingWaysLacking;
[[nodiscard]] const NamingWaysLacking &namingWaysLacking();

// Gives the held temporary file `from` the name `to`, which must be free;
// where the file system cannot refuse to replace, `to` is checked just
// before (no other program of ours writes there meanwhile).
[[nodiscard]] Result<> placeHeldFile(QFile &file, const QString &from, const QString &to);

} // namespace ojn::newnames
