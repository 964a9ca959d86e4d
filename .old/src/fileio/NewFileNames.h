#pragma once

#include "fileio/SafeFileWriter.h"
#include "result/Result.h"

#include <QString>

#include <functional>

namespace ojn {

// Files given new names without ever replacing one: what adding charts to
// a game folder and naming them for their IDs need. Each fails, with the
// file named, when the new name is taken; the old file is then as it was.

// Moves `from` to the new name `to` in one step where the file system can
// refuse to replace (renameat2 with RENAME_NOREPLACE on Linux, MoveFileEx
// without MOVEFILE_REPLACE_EXISTING on Windows); else as a second name (a
// hard link) and then the old name's removal; where the file system has no
// links either (FAT, exFAT), as a copy through a new file and then the
// removal. On Windows a file another program holds open is reported, not
// moved.
Result<> moveWithoutReplacing(const QString &from, const QString &to);

// Gives the file `from` the second name `to` (a hard link), or where the
// file system has no links a copy as copyToNewFile makes it.
Result<> linkOrCopyToNewFile(const QString &from, const QString &to);

// Creates `path` with what `writeContent` writes: written to a temporary
// file beside it, synced to disk, and only then given the name, which must
// still be free. A crash leaves at worst the temporary file, never a part
// of a file under the new name. The folder itself is not synced (see
// syncFolderOf): a caller creating many files syncs it once.
Result<> createNewFile(const QString &path, const ContentWriter &writeContent);

// createNewFile with `from`'s bytes, read in pieces.
Result<> copyToNewFile(const QString &from, const QString &to);

// Removes the temporary files that new files (or saves) of the names
// `isTarget` accepts in `folder` left behind when they were killed, except
// one held by a save still running. One listing of the folder, however
// many names.
void removeLeftTemporaries(const QString &folder, const std::function<bool(const QString &name)> &isTarget);

// Makes the new names in `path`'s folder durable.
void syncFolderOf(const QString &path);

} // namespace ojn
