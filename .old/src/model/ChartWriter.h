#pragma once

#include "model/ChartRecord.h"
#include "result/Result.h"

class QIODevice;

namespace ojn {

// The 300 header bytes of the saved chart: the body's own header with the
// edited fields, the text slots (33 bytes zeroed, then the text), and the
// cover offset and picture sizes recomputed from the buffers.
[[nodiscard]] QByteArray patchedHeader(const ChartRecord &record);

// Checks that the record can be written: a body that holds the whole
// header, texts of at most 32 bytes, offsets and sizes within 32 bits.
Result<> checkWritable(const ChartRecord &record);

// Writes the saved chart to a device open for writing, in file order: the
// patched header, the rest of the body, the cover, the thumbnail, and
// nothing after it. Works in pieces, so no whole-file copy is made.
Result<> writeChart(const ChartRecord &record, QIODevice &device);

} // namespace ojn
