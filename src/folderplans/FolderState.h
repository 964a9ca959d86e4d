#pragma once

#include "folderchecks/FolderListing.h"
#include "folderplans/FolderPlan.h"
#include "model/ChartCheck.h"
#include "songlist/SongList.h"
#include "text/CodePage.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace ojn {

// What a plan needs to know of the music folder: its names, its charts'
// headers, and the song list.
struct FolderState {
    FolderListing names;
    QList<ChartScan> charts; // the headers read, in the order of `names.chartFiles()`
    std::optional<SongList> list;
    QString error;

    // Who holds each song ID: charts' headers, o2ma<ID>.ojn, o2ma<ID>_<v>.ojn
    // and o2ma<ID>.ojm names (any case), and the list's entries; each holder
    // a file name, or "the song list".
    QHash<qint64, QStringList> holders;

    // The lowest song ID at or above `from` that nothing holds and that is
    // not in `given` (the IDs a plan gives out); nothing when none is left.
    [[nodiscard]] std::optional<qint64> lowestFreeId(qint64 from, const QSet<qint64> &given = {}) const;
};

// What readFolderState reads besides the names and the song list.
enum class FolderReads {
    Everything, // every chart's header, and `holders`: giving out free IDs needs both
    Names,      // no header: naming files reads the headers it needs itself (readChartHeaders)
};
[[nodiscard]] FolderState readFolderState(const QString &folder, const std::optional<QString> &listPath,
                                          FolderReads reads = FolderReads::Everything);
// The same with the folder's listing as the caller holds it (a window's,
// from its scan), which the plan's steps check again as they run.
[[nodiscard]] FolderState readFolderState(const FolderListing &listing, const std::optional<QString> &listPath,
                                          FolderReads reads = FolderReads::Everything);

// A plan of no step yet for the folder `state` read: its folder, the
// temporaries killed runs left there as its listing shows them (so the run
// need not list the folder again), and the code page of its OJM names.
[[nodiscard]] FolderPlan emptyPlanFor(const FolderState &state, const TextCodec &codec);

// A chart's OJM: the file its header names, looked up case-blind in
// `names`; failing that, the .ojm of the chart's own base name. Empty when
// neither is there; `lookedFor` then lists the names tried. Empty too when
// the name found stands for several files; `ambiguity` then says so.
[[nodiscard]] QString findOjm(const FolderListing &names, const QString &chartFileName, const QString &headerOjm,
                              QStringList *lookedFor = nullptr, QString *ambiguity = nullptr);

} // namespace ojn
