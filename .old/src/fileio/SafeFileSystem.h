#pragma once

// The system calls of a safe write, which differ per system: one file each
// for POSIX (SafeFileSystem_posix.cpp) and Windows (SafeFileSystem_win.cpp),
// picked by the build. The steps themselves are in SafeFileWriter.cpp.

#include "result/Result.h"

#include <QString>

class QFile;

namespace ojn::safefs {

enum class Creation { Created, NameTaken };

// Creates `path` as a new file, open for writing in `file` and held until
// it is closed: a save tidying up leftovers cannot remove a held file (on
// POSIX the holder has an exclusive flock, which tidying up must take
// first; on Windows the open file denies deletion). NameTaken asks for
// another name; a failure gives the system's reason.
Result<Creation> createHeldFile(QFile &file, const QString &path);

// Gives the held new file what the file it replaces has, as far as the
// process may: on POSIX its permission bits, and its owner and group
// (root keeps both, another user the group where it is one of theirs;
// a refusal does not stop the save). On Windows nothing here: the
// attributes go on in replaceWithHeldFile, since Windows will not put a
// read-only file in place of another.
void keepOwnerAndMode(QFile &file, const QString &replaced);

// The file's content from the system's cache to the disk.
Result<> syncToDisk(QFile &file);

// Puts the held file `from` in place of `to` in one step, while it is still
// held, so that no tidying up can take it away in between. On Windows the
// new file then gets the read-only, hidden and system attributes `to` had.
Result<> replaceWithHeldFile(QFile &file, const QString &from, const QString &to);

// Makes a rename in `folder` durable where the system needs a step for it;
// a failure here loses nothing.
void syncFolder(const QString &folder);

// Removes a regular file that nobody holds; leaves anything else alone.
void removeUnlessHeld(const QString &path);

} // namespace ojn::safefs
