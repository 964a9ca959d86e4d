#pragma once

#include <QString>

namespace ojn::bench {

// Adding 1,000 charts (each with its OJM, each needing a new ID) to a
// music folder of 10,000, against a plain loop that copies the same bytes
// and fsyncs each file. Made in `folder`, deleted afterwards.
void benchAddCharts(const QString &folder);

// Naming 1,000 charts for their IDs when no header changes, against a
// plain loop of renames and one folder fsync.
void benchRenameCharts(const QString &folder);

} // namespace ojn::bench
