#pragma once

#include "folderplans/FolderPlan.h"
#include "folderplans/FolderState.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

namespace ojn {

// One chart of a folder given a name and, where needed, a header for a
// song ID: what renumber and rename share.
struct ChartMove {
    QString path;
    qint64 id = 0;      // the song ID it holds afterwards
    QString target;     // its file name afterwards
    bool rewrite = false;
    bool encrypted = false;
    QString ojm;        // the OJM's name on disk; empty when it is not there
    QByteArray newHeader; // its first 300 bytes afterwards, for the song list
    QString why;
};

// Checks each move against the folder and the others, refusing those whose
// new names are taken, and adds the steps of the rest to `plan`: per OJM,
// its copies or second name first, then the charts' new files, then its
// rename; the song list; and last the old names' removal, so the game
// finds the old pair or the new one whole at every moment. `listAfter`
// gives the song list as the accepted moves leave it, or nothing when it
// stays as it is. `ojmsKept` are
// the case-folded OJM names that charts not moved still name: those OJMs
// are copied, never renamed away. Returns the moves accepted.
QList<ChartMove> planChartMoves(QList<ChartMove> moves, const FolderState &state, const QSet<QString> &ojmsKept,
                                FolderPlan &plan, const std::optional<QString> &listPath,
                                const std::function<std::optional<SongList>(const QList<ChartMove> &)> &listAfter);

} // namespace ojn
