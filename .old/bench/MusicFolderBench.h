#pragma once

#include <QString>

namespace ojn::bench {

// The Music Folder window on a generated game folder of 10,000 charts:
// its full header scan against the model call `ojn-header check` makes
// for the same folder, the longest the window's event loop waited during
// the scan and the note check, and sorting the table by each column.
void benchMusicFolderWindow(const QString &folder);

} // namespace ojn::bench
