#pragma once

#include "result/Result.h"
#include "text/CodePage.h"

#include <QByteArray>
#include <QString>

namespace ojn {

// The OJM name a chart with this song ID has in the game: "o2ma<ID>.ojm".
[[nodiscard]] QString usualOjmName(qint64 songId);

// The chart at `path` as `ojn-header set --id ID --ojm o2ma<ID>.ojm` saves
// it, in memory. An encrypted or malformed chart fails, saying why.
Result<QByteArray> chartWithSongId(const QString &path, qint32 songId, const TextCodec &codec);

// Whether the file at `path` holds exactly `bytes`, read in pieces so a
// large file that differs in size costs nothing.
[[nodiscard]] bool fileHolds(const QString &path, const QByteArray &bytes);

// Whether two files hold the same bytes.
[[nodiscard]] bool sameBytes(const QString &a, const QString &b);

} // namespace ojn
