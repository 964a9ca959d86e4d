#pragma once

#include "model/ChartHeader.h"
#include "model/Finding.h"

#include <QByteArrayView>

namespace ojn {

// Where a walk over a note section's packages stopped. A package is an
// int32 measure, an int16 channel, an int16 event count, then 4 bytes per
// event; a section is its package count of them, one after another.
struct PackageWalk {
    qint64 end = 0;        // where the last package walked ends
    qint32 walked = 0;     // packages walked
    bool complete = false; // every package was walked within the data
    qint16 badEventCount = 0; // negative when the walk stopped at a package that claims one
};

// Walks `packageCount` packages from byte `start` of `chart` (a plain
// chart from its first byte, as far as it was read). Never reads outside
// `chart`.
[[nodiscard]] PackageWalk walkPackages(QByteArrayView chart, qint64 start, qint32 packageCount);

// Checks that each note section's walk ends exactly where the next section
// starts (Hx's where the cover starts). `chart` is the plain chart from its
// first byte up to at least the cover, or to its end when shorter. A
// section whose offset lies inside the header or past where it should end
// is not walked: the header check reports that.
[[nodiscard]] Findings checkNoteSections(const ChartHeader &header, QByteArrayView chart);

} // namespace ojn
