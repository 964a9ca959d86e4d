#pragma once

#include "model/ChartRecord.h"
#include "result/Result.h"

#include <QString>

class QIODevice;

namespace ojn {

// What the user is told when a chart is refused for being encrypted.
[[nodiscard]] QString encryptedChartMessage();

// Reads a chart from a random-access device open for reading. A chart that
// begins with the encryption marker is refused with encryptedChartMessage()
// before anything else is read. A malformed
// chart (too short, negative or overflowing offsets and sizes, pictures
// reaching past the end, a cover inside the header) is refused; nothing is
// ever read past the end or allocated from an unchecked size.
Result<ChartRecord> readChart(QIODevice &device);

// Opens the file, reads it as above and closes it. A missing file, a folder
// and anything but a regular file (a pipe would never end) fail before
// anything is opened, so reading never creates a file; a chart too large
// for the memory fails with a message. The record's ChartPath is set to the
// path as given, a link's own path for a link.
Result<ChartRecord> readChartFile(const QString &path);

} // namespace ojn
