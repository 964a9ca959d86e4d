#pragma once

#include "filehistory/FileChange.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <utility>

class QThread;

namespace ojn {

// One command's changes, undone or redone as one.
struct HistoryStep {
    // The commands whose changes become a step.
    enum class Kind : quint8 {
        EditSelected,
        UpdateSongList,
        BuildNewSongList,
        Import,
        AddCharts,
        ChangeSongId,
        NameFilesForIds,
        ResolveDuplicateIds,
    };

    Kind kind = Kind::EditSelected;
    qsizetype charts = 0; // the charts it changed
    QList<FileChange> changes;
    QString songList; // the song list among its files, if it wrote one
    quint64 serial = 0; // told apart from a step recorded in its place

    // As the Edit menu shows it: "Edit Selected (12 charts)"; a song
    // list's step by its command alone, "Update Song List".
    [[nodiscard]] QString name() const;
    [[nodiscard]] qsizetype memoryUsed() const;
};

// What replaying a step's changes did: the files it wrote, those it left
// alone because they changed since ("name: why"), and those it could not
// write.
struct ReplayOutcome {
    QStringList written;
    QList<std::pair<QString, QString>> moved; // renames replayed, from and to
    QStringList skipped;
    QStringList failed;
    bool cancelled = false;
};

// Replays the changes in turn (in reverse order for an undo), going on
// past files it skips or cannot write. Safe on any thread: the changes
// are only read. Cancelled, it stops before the next file.
[[nodiscard]] ReplayOutcome replayChanges(const QList<FileChange> &changes, FileChange::Direction direction,
                                          const std::atomic_bool *cancel = nullptr,
                                          const std::function<void(qsizetype done, qsizetype total)> &progress = {});

// What an undo or a redo did, for those who show the folder.
struct ReplayReport {
    FileChange::Direction direction = FileChange::Direction::Undo;
    QString stepName;
    qsizetype filesWritten = 0;
    QList<std::pair<QString, QString>> chartsMoved; // charts given their other name, from and to
    QStringList chartsSaved; // charts whose bytes changed where they are, or that came back
    bool songListTouched = false; // the step's song list was written, made or removed
    QString songList;
    bool namesChanged = false; // files came, went or were renamed
    QStringList skipped; // "name: why"
    QStringList failed;
    bool cancelled = false; // the history stayed where it was
};

// The undo and redo steps of one folder, in memory only. Older steps are
// let go once the steps together hold more than the bound. Undo and Redo
// replay a step on a thread of their own and move the history's place
// once the whole step is replayed; `changed` tells those who show it.
class FileHistory final : public QObject {
    Q_OBJECT
public:
    explicit FileHistory(qsizetype memoryBound = 64 * 1024 * 1024, QObject *parent = nullptr);
    // Cancels a replay still running and waits for its file in hand.
    ~FileHistory() override;

    // A command's changes as a new step of `kind` over `charts` charts
    // (`songList`: the list among the files, if any). Changes that alter
    // nothing are left out, and a step of none is not kept. The steps that
    // could be redone are dropped.
    void record(HistoryStep::Kind kind, qsizetype charts, QList<FileChange> changes, const QString &songList = {});
    [[nodiscard]] const HistoryStep *undoStep() const;
    [[nodiscard]] const HistoryStep *redoStep() const;

    // Replays the step off the caller's thread, with `progress`; ends in
    // `replayed`. False, and nothing done, while a replay runs or when
    // there is no step.
    bool undo();
    bool redo();
    // Stops the replay before its next file; the place stays.
    void cancel();
    [[nodiscard]] bool replaying() const { return m_thread != nullptr; }

    [[nodiscard]] bool olderStepsDropped() const { return m_dropped; }
    [[nodiscard]] qsizetype memoryUsed() const { return m_memory; }

signals:
    // A step recorded or let go, a replay begun or ended.
    void changed();
    void progress(qsizetype done, qsizetype total);
    void replayed(const ojn::ReplayReport &report);

private:
    bool replay(FileChange::Direction direction);
    void finishReplay(quint64 serial, const ReplayReport &report);
    void trim();

    qsizetype m_bound;
    QList<HistoryStep> m_steps;
    QList<qsizetype> m_stepMemory;
    qsizetype m_done = 0; // steps [0, m_done) can be undone, the rest redone
    qsizetype m_memory = 0;
    quint64 m_serial = 0;
    bool m_dropped = false;
    std::unique_ptr<QThread> m_thread; // while a replay runs
    std::shared_ptr<std::atomic_bool> m_cancel;
};

// The step's name without its count, as its command is called.
[[nodiscard]] QString stepKindName(HistoryStep::Kind kind);

} // namespace ojn
