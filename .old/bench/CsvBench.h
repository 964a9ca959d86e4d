#pragma once

#include <QString>
#include <QStringList>

namespace ojn::bench {

// CSV export and import on a generated music folder: `export --output`
// against the header scan that `check` runs (listing, headers, checks
// across the folder), and an import that changes one field of every chart
// against `set` changing that field of the same charts in one process.
void benchHeaderCsv(const QString &folder, const QString &music, const QStringList &paths);

} // namespace ojn::bench
