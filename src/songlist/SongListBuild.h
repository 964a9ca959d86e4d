#pragma once

#include "model/ChartCheck.h"
#include "songlist/SongList.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace ojn {

// Why these charts cannot make one song list: song IDs that more than one
// chart holds, each with its files. Empty when every ID is used once.
// A list names songs by ID, so it cannot say which of two charts it means.
[[nodiscard]] QString duplicateSongIdError(const QList<ChartScan> &charts);

struct SongListBuild {
    std::optional<SongList> list; // absent when refused
    QString error;                // why it was refused
    QStringList skipped;          // charts left out because they cannot be read
};

// A new song list: every readable chart's first 300 bytes (an encrypted
// chart's decrypted ones), in song ID order, then `extraSections` (an old
// list's, or none). Refused when a song ID is used twice.
[[nodiscard]] SongListBuild buildSongList(const QList<ChartScan> &charts, const QByteArray &extraSections = {});

} // namespace ojn
