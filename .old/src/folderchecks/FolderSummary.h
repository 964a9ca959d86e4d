#pragma once

#include <QLocale>
#include <QString>

namespace ojn {

// What a folder's status line counts.
struct FolderSummary {
    qsizetype charts = 0;
    qsizetype withProblems = 0;
    bool hasSongList = false;
    bool songListUnreadable = false; // one was found or chosen, but could not be read
    bool allChartsRead = false; // only then are listed songs without a chart known
    qsizetype stale = 0, notListed = 0, listedTwice = 0, missing = 0;
};

// "1,204 charts · 3 with problems · song list: 12 stale, 2 not listed".
[[nodiscard]] QString folderStatusText(const FolderSummary &summary, const QLocale &locale);

} // namespace ojn
