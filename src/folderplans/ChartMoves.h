#pragma once

#include "folderplans/FolderPlan.h"
#include "folderplans/FolderState.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSet>
#include <QString>

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
    // With a song list, a move that rewrites the header gives the chart's
    // entry afterwards: in place of this song's entries, or appended.
    std::optional<qint32> entryReplaces;
    QString why;
};

// Checks each move against the folder and the others, refusing those whose
// new names are taken or ambiguous, and adds the steps of the rest to
// `plan`. Per OJM: its copies or second name first, then the charts' new
// files, then its rename; after them the song list; last the old names'
// removal. So the game finds the old pair or the new one whole at every
// moment, and the list step, coming after every new file, gives entries
// only to the units that were done. That step carries `entriesDone` (what
// an earlier, interrupted run left to do) and the entries of the moves
// that rewrite a header, appended ones in song ID order. `ojmsKept` are
// the case-folded OJM names that charts not moved still name: those OJMs
// are copied, never renamed away. Returns the moves accepted.
QList<ChartMove> addChartMoves(QList<ChartMove> moves, const FolderState &state, QSet<QString> ojmsKept, FolderPlan &plan,
                               const std::optional<QString> &listPath, const QList<ListEntryEdit> &entriesDone = {});

// o2ma<ID>.ojn for a chart now named `current`, keeping a revision's "_<v>".
[[nodiscard]] QString chartNameFor(const QString &current, qint64 id);

// Whether the file is the game's tutorial, which it finds by that name.
[[nodiscard]] bool isTutorial(const QString &fileName);

// Whether two headers (or song list entries) are equal but for the OJM
// name, the one field a rename changes; both start `from` bytes into the
// header.
[[nodiscard]] bool equalButOjmName(QByteArrayView a, QByteArrayView b, qsizetype from = 0);

} // namespace ojn
