#pragma once

#include "songlist/SongList.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace ojn {

// One file system step of a folder plan. Every step that makes a name
// makes a new one, never replacing a file; every step is safe to run again
// after an interruption (a new name already holding exactly the bytes the
// step would give it counts as done).
enum class StepKind {
    Copy,       // `from`'s bytes as the new file `to`
    Link,       // `to` a second name of `from` (a copy where there are no links); a later step removes `from`
    Write,      // the chart `from` saved as `to` with song ID `songId` and OJM o2ma<songId>.ojm
    Rename,     // `from` moved to the new name `to`
    Remove,     // the name `from`, once its file lives on as `to`
    ListUpdate, // the song list `to` replaced by `list`, or synced with the folder `from` when there is none
};

struct PlanStep {
    StepKind kind = StepKind::Copy;
    QString from;
    QString to;
    QString why;
    qint32 songId = 0;           // Write
    bool inPlace = false;        // Write: `to` is `from`, rewritten by the safe writer
    std::optional<SongList> list; // ListUpdate
    int chart = -1;              // the chart it belongs to (an index into refusals' and plans' charts); -1: the whole plan
};

// A chart that is left as it is, and why.
struct PlanRefusal {
    QString path;
    QString reason;
};

// What a command will do, worked out before anything is done: the steps in
// the order they run, the charts refused, skipped and noted. A window shows
// it and asks; a command line prints it.
struct FolderPlan {
    QString folder;
    QList<PlanStep> steps;
    QList<PlanRefusal> refused;
    QStringList skipped;   // charts already done, lines saying so
    QStringList notes;     // anything else the user should know
    int charts = 0;        // how many units of steps (a chart, or charts sharing an OJM) Cancel stops between
    int chartFiles = 0;    // how many charts get steps
    int codePage = 1252;   // of the OJM names the Write steps put in headers

    [[nodiscard]] bool empty() const { return steps.isEmpty(); }
};

// One line for the step: "copy A to B: why", or as done, "copied A to B".
// Names are shown relative to `folder` where they lie in it.
[[nodiscard]] QString describeStep(const PlanStep &step, const QString &folder, bool done);

} // namespace ojn
