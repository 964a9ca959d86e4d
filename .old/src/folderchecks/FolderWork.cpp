#include "folderchecks/FolderWork.h"

#include "model/ChartFile.h"
#include "model/ChartFileCheck.h"
#include "folderchecks/ChartBatchCheck.h"

#include <QElapsedTimer>

#include <utility>

namespace ojn {
namespace {

constexpr qint64 BatchMilliseconds = 10;
constexpr qsizetype SliceSize = 32;

// Checks the files slice by slice, and hands over what was found about
// every 10 ms (or an empty batch with the count, while one slow file takes
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
        if (sinceDelivery.elapsed() >= 2 * BatchMilliseconds) {
            deliver({}, done + doneInSlice);
            sinceDelivery.restart();
        }
    };
    for (qsizetype start = 0; start < paths.size() && !control.cancelled(); start += SliceSize) {
        const QList<ChartScan> scans = checkChartFiles(paths.mid(start, SliceSize), depth, control);
        done += scans.size();
        batch += scans;
        if (sinceDelivery.elapsed() >= BatchMilliseconds) {
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
    , m_saveContext(contextIn(m_saveThread, "music folder saves"))
{
}

FolderWork::~FolderWork()
{
    cancelScan();
    cancelEdits();
    for (QThread *thread : {&m_scanThread, &m_saveThread}) {
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
                            const QLocale &locale)
{
    QList<std::pair<QString, FieldEdits>> charts;
    for (const QString &path : paths)
        charts.append({path, edits});
    startEdits(charts, codec, locale);
}

void FolderWork::startEdits(const QList<std::pair<QString, FieldEdits>> &charts, const TextCodec &codec,
                            const QLocale &locale)
{
    const Cancel cancel = m_saveCancel = std::make_shared<std::atomic_bool>(false);
    m_saving = true;
    QMetaObject::invokeMethod(
        m_saveContext.get(),
        [this, charts, codec, locale, cancel] {
            QElapsedTimer sinceDelivery;
            sinceDelivery.start();
            QList<ChartEditResult> batch;
            QByteArray buffer;
            qsizetype done = 0;
            const qsizetype total = charts.size();
            const auto hand = [&] {
                deliver([this, batch = std::exchange(batch, {}), done, total] { emit chartsEdited(batch, done, total); });
                sinceDelivery.restart();
            };
            for (const auto &chart : charts) {
                if (*cancel)
                    break;
                // Named, not bound: clang before 16 lets no lambda capture a binding.
                const QString &path = chart.first;
                const FieldEdits &edits = chart.second;
                std::optional<FileChange> change;
                Result<> edited = writeRecorded(
                    path, [&] { return editChartFile(path, ChartEdits{edits, {}, {}}, codec, locale); }, change);
                batch.append({path, std::move(edited), checkChartFile(path, buffer), std::move(change)});
                ++done;
                if (sinceDelivery.elapsed() >= BatchMilliseconds)
                    hand();
            }
            hand();
            deliver([this, cancelled = done < total] {
                m_saving = false;
                emit editsFinished(cancelled);
            });
        },
        Qt::QueuedConnection);
}

void FolderWork::startWrite(std::function<Result<>()> write)
{
    m_saving = true;
    QMetaObject::invokeMethod(
        m_saveContext.get(),
        [this, write = std::move(write)] {
            const Result<> outcome = write();
            deliver([this, outcome] {
                m_saving = false;
                emit writeFinished(outcome);
            });
        },
        Qt::QueuedConnection);
}

void FolderWork::startTask(std::function<Result<>(const ScanControl &control)> task)
{
    const Cancel cancel = m_saveCancel = std::make_shared<std::atomic_bool>(false);
    m_saving = true;
    QMetaObject::invokeMethod(
        m_saveContext.get(),
        [this, task = std::move(task), cancel] {
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
            const Result<> outcome = task(control);
            deliver([this, outcome] {
                m_saving = false;
                emit writeFinished(outcome);
            });
        },
        Qt::QueuedConnection);
}

void FolderWork::cancelEdits()
{
    if (m_saveCancel)
        *m_saveCancel = true;
}

} // namespace ojn
