#pragma once

#include "result/Result.h"
#include "text/CodePage.h"

#include <QByteArray>
#include <QString>

namespace ojn {

// The chart at `path` as `ojn-header set --id ID --ojm o2ma<ID>.ojm` saves
// it, in memory. An encrypted or malformed chart fails, saying why.
Result<QByteArray> chartWithSongId(const QString &path, qint32 songId, const TextCodec &codec);

} // namespace ojn
