#pragma once

#include "model/ChartCheck.h"

#include <QByteArray>

namespace ojn {

struct ChartPictureBytes {
    QByteArray cover;     // a JPEG in a sound chart
    QByteArray thumbnail; // a BMP
};

// The pictures of a checked chart, read from its file: only their bytes,
// decrypted in memory for an encrypted chart. Nothing when the chart is unreadable, its pictures lie outside
// the file, or the file cannot be read.
[[nodiscard]] ChartPictureBytes readChartPictures(const ChartScan &chart);

} // namespace ojn
