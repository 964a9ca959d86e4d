#include "filehistory/FileHistory.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <QThread>

#include <algorithm>

namespace ojn {
namespace {

constexpr qint64 ProgressMilliseconds = 10;

bool isChart(const QString &path)
{
    return path.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive);
}

// Worked out on the replaying thread: it looks at the files.
ReplayReport reportOf(const HistoryStep &step, FileChange::Direction direction, const ReplayOutcome &outcome)
{
    ReplayReport report;
    report.direction = direction;
    report.stepName = step.name();
    report.filesWritten = outcome.written.size();
    report.songList = step.songList;
    report.namesChanged = std::any_of(step.changes.cbegin(), step.changes.cend(),
                                      [](const FileChange &change) { return change.kind() != FileChange::Kind::Edit; });
    report.skipped = outcome.skipped;
    report.failed = outcome.failed;
    report.cancelled = outcome.cancelled;
    // A chart moved is not saved as well, nor one told of twice, nor one
    // that is gone.
    QSet<QString> told;
    for (const auto &move : outcome.moved) {
        if (isChart(move.second))
            report.chartsMoved << move;
        told.insert(move.second);
    }
    for (const QString &path : outcome.written) {
        if (!step.songList.isEmpty() && QFileInfo(path) == QFileInfo(step.songList))
            report.songListTouched = true;
        else if (isChart(path) && !told.contains(path) && QFileInfo::exists(path))
            report.chartsSaved << path;
        told.insert(path);
    }
    return report;
}

} // namespace

QString stepKindName(HistoryStep::Kind kind)
{
    switch (kind) {
    case HistoryStep::Kind::EditSelected: return QStringLiteral("Edit Selected");
    case HistoryStep::Kind::UpdateSongList: return QStringLiteral("Update Song List");
    case HistoryStep::Kind::BuildNewSongList: return QStringLiteral("Build New Song List");
    case HistoryStep::Kind::Import: return QStringLiteral("Import");
    case HistoryStep::Kind::AddCharts: return QStringLiteral("Add Charts");
    case HistoryStep::Kind::ChangeSongId: return QStringLiteral("Change Song ID");
    case HistoryStep::Kind::NameFilesForIds: return QStringLiteral("Name Files for IDs");
    case HistoryStep::Kind::ResolveDuplicateIds: return QStringLiteral("Resolve Duplicate IDs");
    }
    return QString();
}

QString HistoryStep::name() const
{
    if (kind == Kind::UpdateSongList || kind == Kind::BuildNewSongList)
        return stepKindName(kind);
    return QStringLiteral("%1 (%2 %3)").arg(stepKindName(kind)).arg(charts).arg(QLatin1String(charts == 1 ? "chart" : "charts"));
}

qsizetype HistoryStep::memoryUsed() const
{
    qsizetype used = sizeof(HistoryStep) + songList.capacity() * 2 + changes.capacity() * qsizetype(sizeof(FileChange));
    for (const FileChange &change : changes)
        used += change.memoryUsed() - qsizetype(sizeof(FileChange));
    return used;
}

ReplayOutcome replayChanges(const QList<FileChange> &changes, FileChange::Direction direction, const std::atomic_bool *cancel,
                            const std::function<void(qsizetype, qsizetype)> &progress)
{
    ReplayOutcome outcome;
    const qsizetype total = changes.size();
    const bool undo = direction == FileChange::Direction::Undo;
    for (qsizetype done = 0; done < total; ++done) {
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            outcome.cancelled = true;
            break;
        }
        // An undo goes back through the changes in the reverse of their order.
        const FileChange &change = changes.at(undo ? total - 1 - done : done);
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
            outcome.skipped << replayed.error();
        else
            outcome.failed << replayed.error();
        if (progress)
            progress(done + 1, total);
    }
    return outcome;
}

FileHistory::FileHistory(qsizetype memoryBound, QObject *parent)
    : QObject(parent)
    , m_bound(memoryBound)
{
}

FileHistory::~FileHistory()
{
    cancel();
    if (m_thread)
        m_thread->wait();
}

void FileHistory::record(HistoryStep::Kind kind, qsizetype charts, QList<FileChange> changes, const QString &songList)
{
    changes.removeIf([](const FileChange &change) { return change.isEmpty(); });
    if (changes.isEmpty())
        return;
    while (m_steps.size() > m_done) {
        m_memory -= m_stepMemory.takeLast();
        m_steps.removeLast();
    }
    // Edits append their changes as they come; the step keeps no spare room.
    changes.squeeze();
    HistoryStep step{kind, charts, std::move(changes), songList, ++m_serial};
    m_stepMemory.append(step.memoryUsed());
    m_memory += m_stepMemory.last();
    m_steps.append(std::move(step));
    ++m_done;
    trim();
    emit changed();
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

bool FileHistory::undo()
{
    return replay(FileChange::Direction::Undo);
}

bool FileHistory::redo()
{
    return replay(FileChange::Direction::Redo);
}

void FileHistory::cancel()
{
    if (m_cancel)
        *m_cancel = true;
}

bool FileHistory::replay(FileChange::Direction direction)
{
    const HistoryStep *step = direction == FileChange::Direction::Undo ? undoStep() : redoStep();
    if (replaying() || !step)
        return false;
    auto cancel = m_cancel = std::make_shared<std::atomic_bool>(false);
    // A copy the thread owns: a step recorded meanwhile cannot move it.
    m_thread.reset(QThread::create([this, step = *step, direction, cancel] {
        QElapsedTimer sinceProgress;
        sinceProgress.start();
        const auto progressed = [&](qsizetype done, qsizetype total) {
            if (sinceProgress.elapsed() >= ProgressMilliseconds || done == total) {
                QMetaObject::invokeMethod(this, [this, done, total] { emit progress(done, total); }, Qt::QueuedConnection);
                sinceProgress.restart();
            }
        };
        const ReplayOutcome outcome = replayChanges(step.changes, direction, cancel.get(), progressed);
        const ReplayReport report = reportOf(step, direction, outcome);
        QMetaObject::invokeMethod(
            this, [this, serial = step.serial, report] { finishReplay(serial, report); }, Qt::QueuedConnection);
    }));
    m_thread->setObjectName(QStringLiteral("file history replay"));
    // Told before it starts: a Cancel then stops it before its first file.
    emit changed();
    m_thread->start();
    return true;
}

void FileHistory::finishReplay(quint64 serial, const ReplayReport &report)
{
    m_thread->wait();
    m_thread.reset();
    m_cancel.reset();
    // Only a step replayed whole moves the place, and only if it is still
    // the step beside it.
    if (!report.cancelled) {
        if (report.direction == FileChange::Direction::Undo && m_done > 0 && m_steps.at(m_done - 1).serial == serial)
            --m_done;
        else if (report.direction == FileChange::Direction::Redo && m_done < m_steps.size() && m_steps.at(m_done).serial == serial)
            ++m_done;
    }
    emit changed();
    emit replayed(report);
}

} // namespace ojn
