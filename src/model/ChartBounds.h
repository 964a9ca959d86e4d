#pragma once

#include <QByteArrayView>
#include <QString>

namespace ojn {

// Why a plain chart of `fileSize` bytes, whose first bytes are `header`,
// cannot be opened: too short for a header, a negative or overflowing
// picture offset or size, a cover inside the header, a picture reaching
// past the end. Empty when none of these holds. Opening a chart and
// checking one refuse by these same rules.
[[nodiscard]] QString chartBoundsFault(QByteArrayView header, qint64 fileSize);

} // namespace ojn
