#pragma once

#include "model/ChartCheck.h"
#include "text/CodePage.h"
#include "model/FieldValues.h"
#include "result/Result.h"
#include "folderchecks/ChartBatchCheck.h"
#include "folderchecks/FolderListing.h"
#include "filehistory/FileChange.h"

#include <QList>
#include <QLocale>
#include <QObject>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

namespace ojn {

// One chart of "Edit Selected...": saved, or why not, and the chart as
// checked again afterwards.
struct ChartEditResult {
    QString path;
    Result<> saved;
    ChartScan scan;
    std::optional<FileChange> change; // what the save changed, to undo it
};

// The work over a music folder that must not hold up a window: one thread
// reads the folder (headers, then note sections), another runs one task
// at a time (saving edited charts, writing the song list, making a plan).
// Results come back on the thread that made this object: the scan's in
// batches through the signals, about every 10 ms, so the window keeps up
// with it and shows progress soon; a task's to the follow-up it was
// started with. Work on these threads stays clear of Qt's per-thread
// caches (a QRegularExpression match keeps one): on Windows, freeing them
// as the thread ends crashes or keeps the process from ending after its
// last window closes.
class FolderWork final : public QObject {
    Q_OBJECT
public:
    explicit FolderWork(QObject *parent = nullptr);
    // Stops the work after the file in hand and waits for that file.
    ~FolderWork() override;

    // Lists the folder, reads every chart's header, then checks every
    // chart's note sections. A scan still running is dropped.
    void startScan(const QString &folder);
    // Stops the scan before its next file; what was read so far comes in.
    void cancelScan();
    [[nodiscard]] bool scanning() const { return m_scanning; }

    // Runs `task(const ScanControl &)` on the task thread, with progress
    // (taskProgress) that cancelTask stops; then `then` with what the task
    // returned (nothing for a void task), on this object's thread. The
    // task is done by then, so `then` may start the next one.
    template <typename Task, typename Then>
    void startTask(Task task, Then then);
    // Edits and saves each chart in turn as `ojn-header set` does, going on
    // past failures, and checks each again: `batch` gets the results as
    // they come, `then` whether the edits were cancelled before the last.
    using EditBatch = std::function<void(const QList<ChartEditResult> &results, qsizetype done, qsizetype total)>;
    void startEdits(const QStringList &paths, const FieldEdits &edits, const TextCodec &codec, const QLocale &locale,
                    EditBatch batch, std::function<void(bool cancelled)> then);
    // The same with each chart's own edits (a CSV import's).
    void startEdits(const QList<std::pair<QString, FieldEdits>> &charts, const TextCodec &codec, const QLocale &locale,
                    EditBatch batch, std::function<void(bool cancelled)> then);
    // Lets go of `data` on the task thread, after the task running, if any.
    void releaseLater(std::shared_ptr<void> data);
    // Stops the task (or the edits) at its next look at the cancel flag.
    void cancelTask();
    [[nodiscard]] bool taskRunning() const { return m_taskRunning; }

signals:
    void folderListed(const ojn::FolderListing &listing);
    // `scans` may be empty: progress only, on a slow file.
    void headersRead(const QList<ojn::ChartScan> &scans, qsizetype done, qsizetype total);
    void headerScanFinished(bool cancelled);
    void notesChecked(const QList<ojn::ChartScan> &scans, qsizetype done, qsizetype total);
    void noteCheckFinished(bool cancelled);
    void taskProgress(qsizetype done, qsizetype total);
    // A scan or a task started or ended.
    void busyChanged();

private:
    using Cancel = std::shared_ptr<std::atomic_bool>;
    // Runs `work` on the task thread, then `then` here once the task is
    // marked done.
    void runTask(std::function<void(const ScanControl &control)> work, std::function<void()> then);
    // Runs `deliver` on this object's thread, unless a newer scan started.
    void deliverScan(quint64 generation, std::function<void()> deliver);
    void deliver(std::function<void()> deliver);

    QThread m_scanThread, m_taskThread;
    std::unique_ptr<QObject> m_scanContext, m_taskContext; // live in the threads
    Cancel m_scanCancel, m_taskCancel;
    quint64 m_scanGeneration = 0;
    bool m_scanning = false;
    bool m_taskRunning = false;
};

template <typename Task, typename Then>
void FolderWork::startTask(Task task, Then then)
{
    using Value = std::invoke_result_t<Task &, const ScanControl &>;
    if constexpr (std::is_void_v<Value>) {
        runTask(std::move(task), std::move(then));
    } else {
        // Filled on the task thread, read here once the task is over.
        auto value = std::make_shared<std::optional<Value>>();
        runTask([value, task = std::move(task)](const ScanControl &control) mutable { value->emplace(task(control)); },
                [value, then = std::move(then)]() mutable { then(std::move(**value)); });
    }
}

} // namespace ojn
