#include "filehistory/FileHistory.h"

#include <QDir>
#include <QFileInfo>

namespace ojn {

qsizetype HistoryStep::memoryUsed() const
{
    qsizetype used = sizeof(HistoryStep) + name.capacity() * 2 + changes.capacity() * qsizetype(sizeof(FileChange));
    for (const FileChange &change : changes)
        used += change.memoryUsed() - qsizetype(sizeof(FileChange));
    return used;
}

ReplayOutcome replayStep(const HistoryStep &step, FileChange::Direction direction, const std::atomic_bool *cancel,
                         const std::function<void(qsizetype, qsizetype)> &progress)
{
    ReplayOutcome outcome;
    const qsizetype total = step.changes.size();
    const bool undo = direction == FileChange::Direction::Undo;
    for (qsizetype done = 0; done < total; ++done) {
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            outcome.cancelled = true;
            break;
        }
        // An undo goes back through the changes in the reverse of their order.
        const FileChange &change = step.changes.at(undo ? total - 1 - done : done);
        bool skipped = false;
        const Result<> replayed = change.replay(direction, &skipped);
        // A copy's source is only read, whichever way.
        const bool copy = change.kind() == FileChange::Kind::Copy;
        const QString &path = undo && !copy ? change.pathBefore() : change.pathAfter();
        if (replayed.ok()) {
            outcome.written << path;
            if (change.kind() == FileChange::Kind::Rename)
                outcome.moved << std::pair{undo ? change.pathAfter() : change.pathBefore(), path};
        }
        else if (skipped)
            outcome.skipped << QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), replayed.error());
        else
            outcome.failed << replayed.error();
        if (progress)
            progress(done + 1, total);
    }
    return outcome;
}

FileHistory::FileHistory(qsizetype memoryBound)
    : m_bound(memoryBound)
{
}

void FileHistory::push(HistoryStep step)
{
    while (m_steps.size() > m_done) {
        m_memory -= m_stepMemory.takeLast();
        m_steps.removeLast();
    }
    // Edits append their changes as they come; the step keeps no spare room.
    step.changes.squeeze();
    m_stepMemory.append(step.memoryUsed());
    m_memory += m_stepMemory.last();
    m_steps.append(std::move(step));
    ++m_done;
    trim();
}

void FileHistory::trim()
{
    // The newest step stays even when it alone is over the bound: the
    // command the user just ran is the one most likely undone.
    while (m_memory > m_bound && m_steps.size() > 1) {
        m_memory -= m_stepMemory.takeFirst();
        m_steps.removeFirst();
        m_done = qMax<qsizetype>(0, m_done - 1);
        m_dropped = true;
    }
}

const HistoryStep *FileHistory::undoStep() const
{
    return m_done > 0 ? &m_steps.at(m_done - 1) : nullptr;
}

const HistoryStep *FileHistory::redoStep() const
{
    return m_done < m_steps.size() ? &m_steps.at(m_done) : nullptr;
}

void FileHistory::undone()
{
    if (m_done > 0)
        --m_done;
}

void FileHistory::redone()
{
    if (m_done < m_steps.size())
        ++m_done;
}

} // namespace ojn
