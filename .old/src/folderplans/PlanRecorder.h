#pragma once

#include "filehistory/FileChange.h"
#include "folderplans/FolderPlan.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace ojn {

// What a plan's run changed, step by step, as file changes that undo and
// redo it. A new name made from a file whose old name then goes is kept as
// a move (and the header edit a rewrite made), not as a copy of the whole
// file: the history holds a few hundred bytes a chart, never its notes.
class PlanRecorder {
public:
    // Called just before and just after each step that succeeds.
    void before(const PlanStep &step);
    void after(const PlanStep &step);
    // The run removed these new names again, the chart's step having failed.
    void takenBack(int chart, const QStringList &removed);

    [[nodiscard]] QList<FileChange> changes() const;

private:
    void add(int chart, FileChange change);

    struct Entry {
        int chart;
        FileChange change;
    };
    QList<Entry> m_entries;
    QHash<QString, qsizetype> m_copies; // a new name, and the entry of the copy that made it
    bool m_fromThere = false, m_toThere = false;
    std::optional<QByteArray> m_before; // the bytes the step will replace or remove
};

} // namespace ojn
