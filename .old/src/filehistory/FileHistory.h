#pragma once

#include "filehistory/FileChange.h"

#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <utility>

namespace ojn {

// One command's changes, undone or redone as one.
struct HistoryStep {
    QString name; // as the menu shows it: "Edit Selected (12 charts)"
    QList<FileChange> changes;
    [[nodiscard]] qsizetype memoryUsed() const;
};

// What replaying a step did: the files it wrote, those it left alone
// because they changed since ("name: why"), and those it could not write.
struct ReplayOutcome {
    QStringList written;
    QList<std::pair<QString, QString>> moved; // renames replayed, from and to
    QStringList skipped;
    QStringList failed;
    bool cancelled = false;
};

// Replays a step's changes in turn (in reverse order for an undo), going
// on past files it skips or cannot write. Safe on any thread: a step is
// only read. Cancelled, it stops before the next file.
[[nodiscard]] ReplayOutcome replayStep(const HistoryStep &step, FileChange::Direction direction,
                                       const std::atomic_bool *cancel = nullptr,
                                       const std::function<void(qsizetype done, qsizetype total)> &progress = {});

// The undo and redo steps of one folder, in memory only. Older steps are
// let go once the steps together hold more than the bound.
class FileHistory {
public:
    explicit FileHistory(qsizetype memoryBound = 64 * 1024 * 1024);

    // A new step; the steps that could be redone are dropped.
    void push(HistoryStep step);
    [[nodiscard]] const HistoryStep *undoStep() const;
    [[nodiscard]] const HistoryStep *redoStep() const;
    // After the step was replayed.
    void undone();
    void redone();

    [[nodiscard]] bool olderStepsDropped() const { return m_dropped; }
    [[nodiscard]] qsizetype memoryUsed() const { return m_memory; }

private:
    void trim();

    qsizetype m_bound;
    QList<HistoryStep> m_steps;
    QList<qsizetype> m_stepMemory;
    qsizetype m_done = 0; // steps [0, m_done) can be undone, the rest redone
    qsizetype m_memory = 0;
    bool m_dropped = false;
};

} // namespace ojn
