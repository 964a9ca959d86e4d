#pragma once

#include <QString>

namespace ojn {

// Where a game keeps the song list of its Music folder: Image/OJNList.dat
// beside it, or Image/X2OJNList.dat when there is none. Each name is matched in any case, since folders copied from
// Windows keep whatever case they had.
[[nodiscard]] QString songListBeside(const QString &musicFolder);

// Where a new song list for the folder would go: the list beside it when
// there is one, else Image/OJNList.dat beside it.
[[nodiscard]] QString newSongListPath(const QString &musicFolder);

} // namespace ojn
