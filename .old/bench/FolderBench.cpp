#include "FolderBench.h"

#include "CsvBench.h"
#include "RawIo.h"
#include "Report.h"

#include "cli/Console.h"
#include "cli/HeaderTool.h"
#include "folderchecks/ChartBatchCheck.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace ojn::bench {
namespace {

constexpr int ChartCount = 10000;
constexpr int Runs = 7;

// A chart whose three note sections walk exactly: packages of 0 to 15
// events, about 40 KB of note data in all, then an 8 KB cover and a 2 KB
// thumbnail (the checks never decode pictures).
QByteArray templateChart()
{
    QByteArray header(300, '\0'), notes;
    auto put32 = [&header](qint64 offset, qint32 v) { qToLittleEndian<qint32>(v, header.data() + offset); };
    std::memcpy(header.data() + 4, "ojn", 4);
    std::memcpy(header.data() + 108, "Folder Bench Song", 17);
    for (int d = 0; d < 3; ++d) {
        put32(284 + 4 * d, qint32(300 + notes.size()));
        const int packages = 340;
        put32(64 + 4 * d, packages);
        for (int k = 0; k < packages; ++k) {
            char head[8];
            qToLittleEndian<qint32>(k / 8, head);
            qToLittleEndian<qint16>(qint16(2 + k % 7), head + 4);
            qToLittleEndian<qint16>(qint16(k % 16), head + 6);
            notes += QByteArray(head, 8) + QByteArray(4 * (k % 16), char(k));
        }
    }
    const QByteArray cover(8 << 10, 'C'), thumbnail(2 << 10, 'T');
    put32(100, qint32(thumbnail.size()));
    put32(268, qint32(cover.size()));
    put32(296, qint32(300 + notes.size()));
    return header + notes + cover + thumbnail;
}

QStringList makeFolder(const QString &music)
{
    if (!QDir().mkpath(music))
        fail(QStringLiteral("could not make ") + music);
    QByteArray chart = templateChart();
    QStringList paths;
    for (int i = 0; i < ChartCount; ++i) {
        const qint32 id = 1000 + i;
        qToLittleEndian<qint32>(id, chart.data());
        const QByteArray ojm = QStringLiteral("o2ma%1.ojm").arg(id).toLatin1();
        std::memcpy(chart.data() + 236, ojm.constData(), size_t(ojm.size()));
        const QString path = QStringLiteral("%1/o2ma%2.ojn").arg(music).arg(id);
        QFile file(path), ojmFile(QStringLiteral("%1/%2").arg(music, QLatin1String(ojm)));
        if (!file.open(QIODevice::WriteOnly) || file.write(chart) != chart.size() || !ojmFile.open(QIODevice::WriteOnly))
            fail(QStringLiteral("could not write ") + path);
        paths.append(path);
    }
    return paths;
}

// The baseline of the header scan: open, read 300 bytes, close.
void plainHeaderLoop(const QStringList &paths)
{
    char bytes[300];
    for (const QString &path : paths) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        if (fd < 0 || ::read(fd, bytes, sizeof bytes) != qint64(sizeof bytes))
            fail(QStringLiteral("could not read ") + path);
        ::close(fd);
    }
}

// The baseline of the listing: every name in the folder, nothing else.
void plainList(const QString &folder)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        fail(QStringLiteral("could not list ") + folder);
    std::vector<std::string> names;
    while (const dirent *entry = ::readdir(dir))
        names.emplace_back(entry->d_name);
    ::closedir(dir);
}

// The baseline of the deep check: each file read whole, or its first
// `limit` bytes (as far as the check reads), into one buffer.
qint64 plainReadLoop(const QStringList &paths, qint64 limit = -1)
{
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qint64 total = 0;
    for (const QString &path : paths) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        if (fd < 0)
            fail(QStringLiteral("could not open ") + path);
        for (qint64 left = limit < 0 ? std::numeric_limits<qint64>::max() : limit, got = 0; left > 0; left -= got) {
            got = ::read(fd, buffer.data(), size_t(qMin<qint64>(left, buffer.size())));
            if (got <= 0)
                break;
            total += got;
        }
        ::close(fd);
    }
    return total;
}

// Medians of a figure and its baseline, measured in turn, so that both
// meet the same load on a shared machine; one round unmeasured warms the
// page cache.
template <typename Work, typename Baseline>
std::pair<double, double> medianPair(Work &&work, Baseline &&baseline)
{
    std::vector<double> times, baselines;
    for (int run = -1; run < Runs; ++run) {
        const double b = secondsOf(baseline);
        const double t = secondsOf(work);
        if (run >= 0) {
            times.push_back(t);
            baselines.push_back(b);
        }
    }
    return {median(times), median(baselines)};
}

} // namespace

void benchMusicFolder(const QString &folder)
{
    const QString music = QDir(folder).filePath(QStringLiteral("Music"));
    const QString image = QDir(folder).filePath(QStringLiteral("Image"));
    QDir(music).removeRecursively();
    const double made = secondsOf([&] { makeFolder(music); });
    QDir().mkpath(image);
    const FolderListing listing = listFolder(music);
    const QStringList &paths = listing.chartPaths;
    const qint64 chartSize = templateChart().size();
    const qint64 noteEnd = qFromLittleEndian<qint32>(templateChart().constData() + 296);
    std::printf("%d charts of %lld bytes (%lld of header and note data) and their OJMs, made in %.1f s; median of %d runs, warm cache:\n",
                ChartCount, static_cast<long long>(chartSize), static_cast<long long>(noteEnd), made, Runs);

    // The header scan as `check`, `list build` and `list sync` run it: the
    // charts' headers read and checked, then the checks across the folder;
    // the folder is listed once before, against a plain listing.
    const TextCodec codec(1252);
    const auto [scan, plainHeaders] = medianPair(
        [&] {
            const QList<ChartScan> scans = checkChartFiles(paths, CheckDepth::Header);
            if (checkFolder(scans, listing, codec).size() != ChartCount)
                fail(QStringLiteral("the scan missed charts"));
        },
        [&] { plainHeaderLoop(paths); });
    printRatio(QStringLiteral("header scan (read, check, across)"), scan, plainHeaders, 1.5);
    const auto [listed, plainListing] = medianPair([&] { (void)listFolder(music); }, [&] { plainList(music); });
    std::printf("    listing the folder's 20,000 files before it: %.1f ms, a plain readdir %.1f ms; the scan with its listing:"
                " %.2f of the plain loop with a plain readdir\n",
                listed * 1000, plainListing * 1000, (scan + listed) / (plainHeaders + plainListing));

    const auto [deep, plainWhole] = medianPair(
        [&] {
            const QList<ChartScan> charts = checkChartFiles(paths, CheckDepth::NoteSections);
            if (charts.size() != ChartCount || hasProblem(charts.first().findings))
                fail(QStringLiteral("the deep check found a problem in a sound chart"));
        },
        [&] { plainReadLoop(paths); });
    const auto [deepAgain, plainNotes] = medianPair([&] { (void)checkChartFiles(paths, CheckDepth::NoteSections); },
                                                   [&] { plainReadLoop(paths, noteEnd); });
    std::printf("  %-34s %10.2f ms  baseline %10.2f ms  throughput %4.2f of it (target >= 0.70) %s\n",
                "deep check (notes walked)", deep * 1000, plainWhole * 1000, plainWhole / deep,
                plainWhole / deep >= 0.7 ? "met" : "MISSED");
    std::printf("    against reading only the bytes it needs (up to the cover): %.2f (%.1f ms against %.1f ms)\n",
                plainNotes / deepAgain, deepAgain * 1000, plainNotes * 1000);

    // list build, in-process through the command line, against the header
    // scan it needs (listing included) plus a plain crash-safe write of a
    // file of the list's size.
    const QString list = QDir(image).filePath(QStringLiteral("OJNList.dat"));
    const QString rawList = QDir(image).filePath(QStringLiteral("raw.dat"));
    const QByteArray listBytes(4 + 300 * qint64(ChartCount), 'L');
    rawWriteAndSync(rawList, listBytes);
    std::vector<double> builds, baselines;
    for (int run = -1; run < Runs; ++run) {
        settle(folder);
        const double baseline = secondsOf([&] {
            (void)checkChartFiles(listFolder(music).chartPaths, CheckDepth::Header);
            rawReplace(image, rawList + QStringLiteral(".new"), rawList, listBytes);
        });
        settle(folder);
        const double build = secondsOf([&] {
            QString out, err;
            QTextStream outStream(&out), errStream(&err);
            cli::Console console{outStream, errStream, QLocale::c(), codec};
            if (cli::runHeaderTool({QStringLiteral("list"), QStringLiteral("build"), music, QStringLiteral("--output"), list}, console) != 0)
                fail(QStringLiteral("list build failed: ") + err);
        });
        if (run >= 0) {
            builds.push_back(build);
            baselines.push_back(baseline);
        }
    }
    if (QFileInfo(list).size() != listBytes.size())
        fail(QStringLiteral("the built list has the wrong size"));
    printRatio(QStringLiteral("list build (10,000 songs)"), median(builds), median(baselines), 1.3);
    benchHeaderCsv(folder, music, paths);
    QDir(music).removeRecursively();
    QDir(image).removeRecursively();
}

} // namespace ojn::bench
