#pragma once

#include "filehistory/FileChange.h"
#include "folderplans/FolderPlan.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

namespace ojn {

// How a plan runs: progress and Cancel for a window, a line per step for a
// command line, and a seam for tests. All are called on the running thread.
struct PlanControl {
    // Set from any thread: no chart is begun after it, the charts begun are
    // finished (Cancel stops between charts, never inside one).
    const std::atomic_bool *cancel = nullptr;
    // After each chart, with how many are done of how many.
    std::function<void(int done, int total)> progress;
    // After each step done, with its line.
    std::function<void(const PlanStep &step, const QString &line)> stepDone;
    // After a new name is removed again, its chart having failed, with the
    // line saying so.
    std::function<void(const QString &line)> takenBack;
    // Test seam: called after each step done with its place in the plan;
    // false stops the run there, as if the program were killed.
    std::function<bool(qsizetype step)> afterStep;
    // When given, what the run changed, as file changes that undo it.
    QList<FileChange> *changes = nullptr;
};

struct PlanRun {
    int chartsDone = 0;        // units of steps done
    int chartFilesDone = 0;    // their charts
    int chartFilesFailed = 0;  // the charts of the units that failed, those named again included
    int skippedFailed = 0;     // of the plan's skipped charts, those named again whose unit failed
    // Each chart of a unit whose step failed, with why (its new files are
    // taken back); the song list under its own path when its step failed.
    QList<PlanRefusal> failed;
    QList<int> failedCharts;   // the units' `chart` numbers (-1: a step of the whole plan, the song list)
    QStringList takenBack;     // a line per new name removed again
    bool cancelled = false;
    bool stopped = false;      // the test seam stopped it
    qsizetype stepsDone = 0;
};

// Runs the plan's steps in order. A step whose new name already holds
// exactly its bytes is done; one whose name is taken otherwise fails. A
// chart whose step fails keeps its old files: what this run made for it is
// removed again, and its later steps are skipped. The song list gets the
// entries of the units done, and is not written when that changes nothing.
// Before an old name is removed, the new names are synced to disk.
[[nodiscard]] PlanRun executeFolderPlan(const FolderPlan &plan, const PlanControl &control = {});

} // namespace ojn
