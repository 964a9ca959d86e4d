#pragma once

#include "model/ChartCheck.h"
#include "text/CodePage.h"
#include "folderchecks/FolderListing.h"

#include <QList>
#include <QString>

#include <optional>

namespace ojn {

// The findings only a whole folder shows, for each chart: a song ID used
// by more than one chart (naming every one), a file named o2ma<N>.ojn or
// o2ma<N>_<v>.ojn whose header holds another ID, an OJM the header names
// that is not in the folder or cannot be read (not looked for when the
// listing failed), a song ID below 0, and (a note) an OJM not named
// o2ma<ID>.ojm.
// The result is parallel to `charts`; unreadable charts get none. OJM
// names are read in `codec`'s code page. Cheap enough to run again after
// every batch of a scan.
[[nodiscard]] QList<Findings> checkFolder(const QList<ChartScan> &charts, const FolderListing &listing,
                                          const TextCodec &codec);

} // namespace ojn
