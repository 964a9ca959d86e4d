#pragma once

#include "model/ChartCheck.h"

#include <QByteArray>
#include <QString>

namespace ojn {

// Checking chart files on disk. Each call opens the file once and reads
// only what it needs, so scanning thousands of charts costs little more
// than opening each. A file that cannot be opened, or that changes while
// it is read, gives a scan whose findings say so; nothing is thrown.
// Calls share nothing, so any number may run at once on any threads.
// What is no regular file (a folder, a pipe, a link to nothing) is never
// waited on: its scan says what it is ("The chart cannot be read: it is a
// named pipe (FIFO)."). As in checkChartBytes, a file that is no chart
// keeps no header.

// The header-level check: the size and the first 300 bytes (for an
// encrypted chart its first 7 and last 300).
[[nodiscard]] ChartScan scanChartFile(const QString &path);

// The deep check: the header-level one, then the note sections, read and
// walked. `buffer` holds the note data between calls, saving an allocation
// per chart; give each thread its own.
[[nodiscard]] ChartScan checkChartFile(const QString &path, QByteArray &buffer);
[[nodiscard]] ChartScan checkChartFile(const QString &path);

} // namespace ojn
