#pragma once

#include "cli/RecordFormat.h"
#include "model/ChartCheck.h"
#include "songlist/SongListComparison.h"

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace ojn::cli {

// One line of the report.
struct CheckLine {
    QString file;
    bool problem = true;
    QString type; // a fixed key, as findingTypeKey gives
    QString text;
};

// What the check went through, in the order it is reported.
struct CheckReport {
    QList<CheckLine> lines;
    QList<ChartScan> charts; // every chart checked, for the song list
    bool wholeFolder = false; // a folder was checked, not only single charts
};

// How many songs of the charts checked stand each way in the song list.
using ListCounts = QList<QPair<ListStatus, qsizetype>>;

// Everything `check` prints: the findings, and with --list the song list
// compared (its counts empty when it could not be read).
struct CheckFindings {
    CheckReport report;
    std::optional<QString> listPath;
    ListCounts listCounts;
};

// "not-listed" for "not listed": a key for scripts.
[[nodiscard]] QString statusKey(ListStatus status);

// One line per finding, "FILE: problem: WHAT", then a summary; or for
// scripts one object with the counts and the findings.
[[nodiscard]] RecordFormat<CheckFindings> checkFormat();

} // namespace ojn::cli
