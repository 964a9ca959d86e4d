#include "folderchecks/FolderWork.h"

#include "model/ChartFile.h"
#include "model/ChartFileCheck.h"
#include "folderchecks/ChartBatchCheck.h"

#include <QElapsedTimer>

#include <utility>

namespace ojn {
namespace {

constexpr qint64 BatchMilliseconds = 10;
// A window adds and paints each batch of the scan as one; at 50 a second
// it keeps up, and spends less of its time than the reading does.
constexpr qint64 ScanBatchMilliseconds = 20;
constexpr qsizetype SliceSize = 32;

// Checks the files slice by slice, and hands over what was found about
// every 20 ms (or an empty batch with the count, while one slow file takes
// long). False when cancelled.
bool checkInBatches(const QStringList &paths, CheckDepth depth, const std::atomic_bool &cancel,
                    const std::function<void(QList<ChartScan>, qsizetype done)> &deliver)
{
    QElapsedTimer sinceDelivery;
    sinceDelivery.start();
    QList<ChartScan> batch;
    qsizetype done = 0;
    ScanControl control;
    control.cancel = &cancel;
    control.progress = [&](qsizetype doneInSlice, qsizetype) {
        if (sinceDelivery.elapsed() >= 2 * ScanBatchMilliseconds) {
            deliver({}, done + doneInSlice);
            sinceDelivery.restart();
        }
    };
    for (qsizetype start = 0; start < paths.size() && !control.cancelled(); start += SliceSize) {
        const QList<ChartScan> scans = checkChartFiles(paths.mid(start, SliceSize), depth, control);
        done += scans.size();
        batch += scans;
        if (sinceDelivery.elapsed() >= ScanBatchMilliseconds) {
            deliver(std::exchange(batch, {}), done);
            sinceDelivery.restart();
        }
    }
    if (!batch.isEmpty() || done == 0)
        deliver(std::move(batch), done);
    return !control.cancelled();
}

std::unique_ptr<QObject> contextIn(QThread &thread, const char *name)
{
    thread.setObjectName(QLatin1String(name));
    auto context = std::make_unique<QObject>();
    context->moveToThread(&thread);
    thread.start();
    return context;
}

} // namespace

FolderWork::FolderWork(QObject *parent)
    : QObject(parent)
    , m_scanContext(contextIn(m_scanThread, "music folder scan"))
    , m_taskContext(contextIn(m_taskThread, "music folder tasks"))
{
}

FolderWork::~FolderWork()
{
    cancelScan();
    cancelTask();
    for (QThread *thread : {&m_scanThread, &m_taskThread}) {
        thread->quit();
        thread->wait();
    }
}

void FolderWork::deliverScan(quint64 generation, std::function<void()> deliver)
{
    QMetaObject::invokeMethod(
        this,
        [this, generation, deliver = std::move(deliver)] {
            if (generation == m_scanGeneration)
                deliver();
        },
        Qt::QueuedConnection);
}

void FolderWork::deliver(std::function<void()> deliver)
{
    QMetaObject::invokeMethod(this, std::move(deliver), Qt::QueuedConnection);
}

void FolderWork::startScan(const QString &folder)
{
    cancelScan();
    const Cancel cancel = m_scanCancel = std::make_shared<std::atomic_bool>(false);
    const quint64 generation = ++m_scanGeneration;
    m_scanning = true;
    emit busyChanged();
    QMetaObject::invokeMethod(
        m_scanContext.get(),
        [this, folder, cancel, generation] {
            const FolderListing listing = listFolder(folder);
            deliverScan(generation, [this, listing] { emit folderListed(listing); });
            const QStringList &paths = listing.chartPaths;
            const qsizetype total = paths.size();
            const auto stage = [&](CheckDepth depth, auto batchSignal, auto finishedSignal) {
                const bool complete = checkInBatches(paths, depth, *cancel, [&](QList<ChartScan> scans, qsizetype done) {
                    deliverScan(generation, [=, this] { emit (this->*batchSignal)(scans, done, total); });
                });
                const bool last = !complete || depth == CheckDepth::NoteSections;
                deliverScan(generation, [=, this] {
                    if (last)
                        m_scanning = false;
                    emit (this->*finishedSignal)(!complete);
                    if (last)
                        emit busyChanged();
                });
                return complete;
            };
            if (stage(CheckDepth::Header, &FolderWork::headersRead, &FolderWork::headerScanFinished))
                stage(CheckDepth::NoteSections, &FolderWork::notesChecked, &FolderWork::noteCheckFinished);
        },
        Qt::QueuedConnection);
}

void FolderWork::cancelScan()
{
    if (m_scanCancel)
        *m_scanCancel = true;
}

void FolderWork::startEdits(const QStringList &paths, const FieldEdits &edits, const TextCodec &codec,
                            const QLocale &locale, EditBatch batch, std::function<void(bool cancelled)> then)
{
    QList<std::pair<QString, FieldEdits>> charts;
    for (const QString &path : paths)
        charts.append({path, edits});
    startEdits(charts, codec, locale, std::move(batch), std::move(then));
}

void FolderWork::startEdits(const QList<std::pair<QString, FieldEdits>> &charts, const TextCodec &codec,
                            const QLocale &locale, EditBatch batch, std::function<void(bool cancelled)> then)
{
    auto cancelled = std::make_shared<bool>(false);
    runTask(
        [this, charts, codec, locale, batch, cancelled](const ScanControl &control) {
            QElapsedTimer sinceDelivery;
            sinceDelivery.start();
            QList<ChartEditResult> results;
            QByteArray buffer;
            qsizetype done = 0;
            const qsizetype total = charts.size();
            const auto hand = [&] {
                deliver([batch, results = std::exchange(results, {}), done, total] { batch(results, done, total); });
                sinceDelivery.restart();
            };
            for (const auto &chart : charts) {
                if (control.cancelled())
                    break;
                // Named, not bound: clang before 16 lets no lambda capture a binding.
                const QString &path = chart.first;
                const FieldEdits &edits = chart.second;
                std::optional<FileChange> change;
                Result<> edited = writeRecorded(
                    path, [&] { return editChartFile(path, ChartEdits{edits, {}, {}}, codec, locale); }, change);
                results.append({path, std::move(edited), checkChartFile(path, buffer), std::move(change)});
                ++done;
                if (sinceDelivery.elapsed() >= BatchMilliseconds)
                    hand();
            }
            hand();
            *cancelled = done < total;
        },
        [then = std::move(then), cancelled] { then(*cancelled); });
}

void FolderWork::runTask(std::function<void(const ScanControl &control)> work, std::function<void()> then)
{
    const Cancel cancel = m_taskCancel = std::make_shared<std::atomic_bool>(false);
    m_taskRunning = true;
    emit busyChanged();
    QMetaObject::invokeMethod(
        m_taskContext.get(),
        [this, work = std::move(work), then = std::move(then), cancel] {
            QElapsedTimer sinceDelivery;
            sinceDelivery.start();
            ScanControl control;
            control.cancel = cancel.get();
            control.progress = [&](qsizetype done, qsizetype total) {
                if (sinceDelivery.elapsed() >= BatchMilliseconds) {
                    deliver([this, done, total] { emit taskProgress(done, total); });
                    sinceDelivery.restart();
                }
            };
            work(control);
            // Delivered after every batch the work handed over.
            deliver([this, then] {
                m_taskRunning = false;
                emit busyChanged();
                then();
            });
        },
        Qt::QueuedConnection);
}

void FolderWork::releaseLater(std::shared_ptr<void> data)
{
    // Dropped inside the call, so on that thread whatever becomes of the call.
    auto held = std::make_shared<std::shared_ptr<void>>(std::move(data));
    QMetaObject::invokeMethod(m_taskContext.get(), [held] { held->reset(); }, Qt::QueuedConnection);
}

void FolderWork::cancelTask()
{
    if (m_taskCancel)
        *m_taskCancel = true;
}

} // namespace ojn
