#pragma once

#include "headercsv/HeaderCsvImport.h"

namespace ojn {

// Moves to the bad rows each row whose new song ID another chart of the
// same folder would hold once the import is done: a chart no row changes,
// or one another row gives the same ID. The game's song list tells songs
// apart by their ID alone, as a sync refuses two charts of one ID. Each
// reason names the other chart, and its line when a row names it. Reads
// the headers of the folders where a row changes a song ID, and no other.
void refuseSongIdClashes(HeaderCsvImportPlan &plan);

} // namespace ojn
