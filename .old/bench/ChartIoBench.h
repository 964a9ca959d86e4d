#pragma once

#include <QString>

namespace ojn::bench {

// Opening and saving charts of 1, 16 and 256 MiB of note data in `folder`,
// each next to a raw sequential read of the same file and a raw write plus
// fsync of as many bytes in the same folder; then picture decoding alone.
void benchChartIo(const QString &folder);
void benchPictureDecoding();

} // namespace ojn::bench
