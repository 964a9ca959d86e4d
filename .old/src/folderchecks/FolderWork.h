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
// reads the folder (headers, then note sections), another saves (edited
// charts, the song list). Results come back in batches through the
// signals, on the thread that made this object, about every 10 ms, so the
// window keeps up with the scan and shows progress soon. Work on these
// threads stays clear of Qt's per-thread caches (a QRegularExpression
// match keeps one): Windows builds crash freeing them as the thread ends.
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

    // Edits and saves each chart in turn as `ojn-header set` does, going on
    // past failures, and checks each again.
    void startEdits(const QStringList &paths, const FieldEdits &edits, const TextCodec &codec, const QLocale &locale);
    // The same with each chart's own edits (a CSV import's).
    void startEdits(const QList<std::pair<QString, FieldEdits>> &charts, const TextCodec &codec, const QLocale &locale);
    // Runs one piece of work on the saving thread with progress
    // (taskProgress), which cancelEdits stops; it ends in writeFinished.
    void startTask(std::function<Result<>(const ScanControl &control)> task);
    // Runs one write (the song list's safe save) on the saving thread.
    void startWrite(std::function<Result<>()> write);
    // Stops the edits before the next chart.
    void cancelEdits();
    [[nodiscard]] bool saving() const { return m_saving; }

signals:
    void folderListed(const ojn::FolderListing &listing);
    // `scans` may be empty: progress only, on a slow file.
    void headersRead(const QList<ojn::ChartScan> &scans, qsizetype done, qsizetype total);
    void headerScanFinished(bool cancelled);
    void notesChecked(const QList<ojn::ChartScan> &scans, qsizetype done, qsizetype total);
    void noteCheckFinished(bool cancelled);
    void chartsEdited(const QList<ojn::ChartEditResult> &results, qsizetype done, qsizetype total);
    void editsFinished(bool cancelled);
    void writeFinished(const ojn::Result<> &outcome);
    void taskProgress(qsizetype done, qsizetype total);

private:
    using Cancel = std::shared_ptr<std::atomic_bool>;
    // Runs `deliver` on this object's thread, unless a newer scan started.
    void deliverScan(quint64 generation, std::function<void()> deliver);
    void deliver(std::function<void()> deliver);

    QThread m_scanThread, m_saveThread;
    std::unique_ptr<QObject> m_scanContext, m_saveContext; // live in the threads
    Cancel m_scanCancel, m_saveCancel;
    quint64 m_scanGeneration = 0;
    bool m_scanning = false;
    bool m_saving = false;
};

} // namespace ojn
