#pragma once

#include "result/Result.h"

#include <QByteArrayView>
#include <QString>

namespace ojn {

// Fails when a plain chart of `fileSize` bytes, whose first bytes are
// `header`, cannot be opened, saying why: too short for a header, a
// negative or overflowing picture offset or size, a cover inside the
// header, a picture reaching past the end. Opening a chart and checking one
// refuse by these same rules.
Result<> checkChartBounds(QByteArrayView header, qint64 fileSize);

} // namespace ojn
