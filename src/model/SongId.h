#pragma once

#include "model/ChartHeader.h"
#include "text/CodePage.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace ojn {

// A song's ID, and the file names the game gives a song by it.

// The game's own charts start here.
inline constexpr qint64 FirstOfficialSongId = 100;
inline constexpr qint64 LastSongId = 2147483647;

// The song ID a chart's file name gives: N for "o2ma<N>.ojn" or
// "o2ma<N>_<v>.ojn" (any case), nothing for any other name.
[[nodiscard]] std::optional<qint64> songIdFromFileName(const QString &fileName);

// The song ID an OJM's name gives: N for "o2ma<N>.ojm" (any case).
[[nodiscard]] std::optional<qint64> songIdFromOjmName(const QString &fileName);

// The OJM name a chart with this song ID has in the game: "o2ma<ID>.ojm".
[[nodiscard]] QString usualOjmName(qint64 songId);
// Whether `fileName` is that name, in any case.
[[nodiscard]] bool isUsualOjmName(const QString &fileName, qint64 songId);

// The name of the OJM a header names, in `codec`'s code page where it is
// not ASCII.
[[nodiscard]] QString ojmNameIn(const ChartHeader &header, const TextCodec &codec);

} // namespace ojn
