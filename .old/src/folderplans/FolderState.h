#pragma once

#include "model/ChartCheck.h"
#include "songlist/SongList.h"
#include "text/CodePage.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace ojn {

// A folder's file names, for case-blind look-ups that give the name as it
// is on disk. Where the file system tells case apart, two names may differ
// only in case: a step must not pick one of them (see `ambiguity`).
struct FolderNames {
    QString folder;
    QHash<QString, QStringList> byFolded; // case-folded name -> the names on disk
    QStringList chartPaths;               // the files ending in .ojn, any case
    QString error;

    // The name on disk of `name` in any case (the first of several), or empty.
    [[nodiscard]] QString find(const QString &name) const { return byFolded.value(name.toCaseFolded()).value(0); }
    // Why `name` cannot be looked up: `what` ("its OJM") stands for two or
    // more names differing only in case, each named; empty when it can.
    [[nodiscard]] QString ambiguity(const QString &name, const QString &what) const;
    [[nodiscard]] QString pathOf(const QString &name) const { return folder + QLatin1Char('/') + name; }
};
[[nodiscard]] FolderNames listFolderNames(const QString &folder);

// What a plan needs to know of the music folder: its names, its charts'
// headers, and the song list.
struct FolderState {
    FolderNames names;
    QList<ChartScan> charts;
    std::optional<SongList> list;
    QString error;

    // Who holds each song ID: charts' headers, o2ma<ID>.ojn, o2ma<ID>_<v>.ojn
    // and o2ma<ID>.ojm names (any case), and the list's entries; each holder
    // a file name, or "the song list".
    QHash<qint64, QStringList> holders;
};
// `holders` is filled only `withHolders`: naming files needs no free IDs.
[[nodiscard]] FolderState readFolderState(const QString &folder, const std::optional<QString> &listPath, bool withHolders = true);

// The name of the OJM a header names, in `codec`'s code page where it is
// not ASCII.
[[nodiscard]] QString ojmNameIn(const ChartHeader &header, const TextCodec &codec);

// The song ID an OJM's name gives: N for "o2ma<N>.ojm" (any case).
[[nodiscard]] std::optional<qint64> songIdFromOjmName(const QString &fileName);

// A chart's OJM: the file its header names, looked up case-blind in
// `names`; failing that, the .ojm of the chart's own base name. Empty when
// neither is there; `lookedFor` then lists the names tried. Empty too when
// the name found stands for several files; `ambiguity` then says so.
[[nodiscard]] QString findOjm(const FolderNames &names, const QString &chartFileName, const QString &headerOjm,
                              QStringList *lookedFor = nullptr, QString *ambiguity = nullptr);

} // namespace ojn
