#pragma once

#include <QString>

namespace ojn::bench {

// A music folder of 10,000 generated charts (and their OJMs), made in
// `folder` and deleted afterwards: the header scan against a plain loop
// that opens each chart and reads 300 bytes; the deep check against
// plainly reading the same files; `list build` against the header scan it
// needs plus a plain crash-safe write of a file of the list's size; CSV
// export and import (see CsvBench.h). Warm cache.
void benchMusicFolder(const QString &folder);

} // namespace ojn::bench
