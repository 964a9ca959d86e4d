#include "FolderPlansBench.h"

#include "RawIo.h"
#include "Report.h"

#include "folderplans/AddPlan.h"
#include "folderplans/RenamePlan.h"
#include "folderplans/PlanExecutor.h"
#include "folderchecks/ChartBatchCheck.h"
#include "folderchecks/FolderListing.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace ojn::bench {
namespace {

constexpr int FolderCharts = 10000;
constexpr int Added = 1000;
constexpr int Runs = 3;
constexpr int RenameRuns = 9;

// A readable chart of about 40 KB, its texts and IDs its own.
QByteArray chartBytes(qint32 id, const QByteArray &title, const QByteArray &ojm)
{
    QByteArray header(300, '\0');
    auto put32 = [&header](qint64 offset, qint32 v) { qToLittleEndian<qint32>(v, header.data() + offset); };
    put32(0, id);
    std::memcpy(header.data() + 4, "ojn", 4);
    std::memcpy(header.data() + 108, title.constData(), size_t(title.size()));
    std::memcpy(header.data() + 236, ojm.constData(), size_t(ojm.size()));
    QByteArray notes(40 << 10, '\0');
    for (qsizetype i = 0; i < notes.size(); ++i)
        notes[i] = char((i * 7 + id) & 0xff);
    for (int d = 0; d < 3; ++d)
        put32(284 + 4 * d, 300);
    put32(296, qint32(300 + notes.size()));
    return header + notes;
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fail(QStringLiteral("could not write ") + path);
}

QByteArray ojmBytes(int i)
{
    return QByteArray(256 << 10, char(i));
}

// The baseline: each file read, written to its new name and fsynced.
void plainCopies(const QStringList &from, const QStringList &to)
{
    for (qsizetype i = 0; i < from.size(); ++i) {
        QFile source(from[i]);
        if (!source.open(QIODevice::ReadOnly))
            fail(from[i]);
        const QByteArray bytes = source.readAll();
        const int fd = ::open(QFile::encodeName(to[i]).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size() || ::fsync(fd) != 0)
            fail(to[i]);
        ::close(fd);
    }
}

void removeAll(const QStringList &paths)
{
    for (const QString &path : paths)
        QFile::remove(path);
}

} // namespace

void benchAddCharts(const QString &folder)
{
    const QString root = folder + QStringLiteral("/add-bench");
    QDir(root).removeRecursively();
    const QString music = root + QStringLiteral("/Music"), src = root + QStringLiteral("/src");
    QDir().mkpath(music);
    QDir().mkpath(src);
    for (int i = 0; i < FolderCharts; ++i) {
        const qint32 id = 1000 + i;
        const QByteArray ojm = QStringLiteral("o2ma%1.ojm").arg(id).toLatin1();
        put(QStringLiteral("%1/o2ma%2.ojn").arg(music).arg(id), chartBytes(id, QStringLiteral("Song %1").arg(i).toLatin1(), ojm));
        put(music + QLatin1Char('/') + QLatin1String(ojm), QByteArray(4 << 10, 'm'));
    }
    QStringList charts, sources, targets;
    for (int i = 0; i < Added; ++i) {
        // Each holds an ID the folder has, so each is rewritten for a new one.
        const QString name = QStringLiteral("%1/new%2").arg(src).arg(i);
        put(name + QStringLiteral(".ojn"), chartBytes(1000 + i, QStringLiteral("New %1").arg(i).toLatin1(), "song.ojm"));
        put(name + QStringLiteral(".ojm"), ojmBytes(i));
        charts << name + QStringLiteral(".ojn");
        sources << name + QStringLiteral(".ojn") << name + QStringLiteral(".ojm");
        const qint32 id = 1000 + FolderCharts + i;
        targets << QStringLiteral("%1/o2ma%2.ojn").arg(music).arg(id) << QStringLiteral("%1/o2ma%2.ojm").arg(music).arg(id);
    }

    std::vector<double> ours, plain;
    for (int run = 0; run < Runs; ++run) {
        plain.push_back(secondsOf([&] { plainCopies(sources, targets); }));
        removeAll(targets);
        ours.push_back(secondsOf([&] {
            const Result<FolderPlan> planned = planAdd(music, charts, {});
            if (!planned.ok() || planned->chartFiles() != Added || !executeFolderPlan(planned.value()).failed.isEmpty())
                fail(QStringLiteral("the add failed"));
        }));
        removeAll(targets);
    }
    printRatio(QStringLiteral("add 1,000 charts to 10,000"), median(ours), median(plain), 1.3);
    QDir(root).removeRecursively();
}

void benchRenameCharts(const QString &folder)
{
    const QString rename = folder + QStringLiteral("/rename-bench");
    QDir(rename).removeRecursively();
    QDir().mkpath(rename);
    // A folder of 10,000 charts and their OJMs, whose headers already name
    // o2ma<ID>.ojm: 9,000 named for their IDs, and 1,000 named song<i>.ojn,
    // chosen for Name Files for IDs as a window chooses them.
    QStringList from, to;
    for (int i = 0; i < FolderCharts; ++i) {
        const qint32 id = 5000 + i;
        const QByteArray ojm = QStringLiteral("o2ma%1.ojm").arg(id).toLatin1();
        const QString target = QStringLiteral("%1/o2ma%2.ojn").arg(rename).arg(id);
        const QString name = i < Added ? QStringLiteral("%1/song%2.ojn").arg(rename).arg(i) : target;
        if (i < Added) {
            from << name;
            to << target;
        }
        put(name, chartBytes(id, QStringLiteral("Named %1").arg(i).toLatin1(), ojm));
        put(rename + QLatin1Char('/') + QLatin1String(ojm), QByteArray(4 << 10, 'm'));
    }
    auto back = [&] {
        for (qsizetype i = 0; i < from.size(); ++i)
            QFile::rename(to[i], from[i]);
    };
    std::vector<double> ours, plain, planSeconds;
    for (int run = 0; run < RenameRuns; ++run) {
        plain.push_back(secondsOf([&] {
            for (qsizetype i = 0; i < from.size(); ++i) {
                if (::rename(QFile::encodeName(from[i]).constData(), QFile::encodeName(to[i]).constData()) != 0)
                    fail(from[i]);
            }
            const int fd = ::open(QFile::encodeName(rename).constData(), O_RDONLY | O_DIRECTORY);
            ::fsync(fd);
            ::close(fd);
        }));
        back();
        Result<FolderPlan> planned = Failure{QStringLiteral("not planned")};
        const double planning = secondsOf([&] { planned = planRename(rename, {}, from); });
        planSeconds.push_back(planning);
        ours.push_back(planning + secondsOf([&] {
            if (!planned.ok() || planned->chartFiles() != Added || !executeFolderPlan(planned.value()).failed.isEmpty())
                fail(QStringLiteral("the rename failed"));
        }));
        back();
    }
    printRatio(QStringLiteral("rename 1,000 of 10,000 charts"), median(ours), median(plain), 1.5);
    std::vector<double> listings;
    for (int run = 0; run < RenameRuns; ++run)
        listings.push_back(secondsOf([&] { (void)listFolder(rename); }));
    std::printf("    of which the plan: %.2f ms; listing the folder as check does: %.2f ms\n", median(planSeconds) * 1000,
                median(listings) * 1000);
    QDir(rename).removeRecursively();
}

} // namespace ojn::bench
