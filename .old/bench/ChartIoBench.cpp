#include "ChartIoBench.h"

#include "BenchCharts.h"
#include "RawIo.h"
#include "Report.h"

#include "model/ChartFile.h"
#include "model/ChartReader.h"
#include "pictures/PictureFromByteStream.h"

#include <QDir>
#include <QFile>

#include <cstdio>


namespace ojn::bench {
namespace {

ChartRecord openChart(const QString &path)
{
    Result<ChartRecord> result = readChartFile(path);
    if (!result.ok())
        fail(result.error());
    return std::move(result).value();
}

void benchOneSize(const QString &folder, int mebibytes, int runs, const QByteArray &cover, const QByteArray &thumbnail)
{
    const QString path = QDir(folder).filePath(QStringLiteral("bench-%1MiB.ojn").arg(mebibytes));
    const QString baselinePath = QDir(folder).filePath(QStringLiteral("bench-baseline.bin"));
    const QString replacedPath = QDir(folder).filePath(QStringLiteral("bench-replaced.bin"));
    const qint64 size = writeChartFile(path, qint64(mebibytes) << 20, cover, thumbnail);
    if (size < 0)
        fail(QStringLiteral("could not write ") + path);

    std::vector<double> reads, opens, writes, replaces, saves;
    // One round unmeasured to warm the page cache and the allocator.
    for (int run = -1; run < runs; ++run) {
        QByteArray raw;
        const double read = secondsOf([&] { raw = rawRead(path); });
        ChartRecord record;
        const double open = secondsOf([&] { record = openChart(path); });
        settle(folder);
        const double write = secondsOf([&] { rawWriteAndSync(baselinePath, raw); });
        QFile::remove(baselinePath);
        rawWriteAndSync(replacedPath, raw);
        settle(folder);
        const double replace = secondsOf([&] { rawReplace(folder, baselinePath, replacedPath, raw); });
        QFile::remove(replacedPath);
        raw = QByteArray();
        settle(folder);
        const double save = secondsOf([&] {
            if (const Result<> saved = saveChartFile(record, path); !saved.ok())
                fail(saved.error());
        });
        if (run >= 0) {
            reads.push_back(read);
            opens.push_back(open);
            writes.push_back(write);
            replaces.push_back(replace);
            saves.push_back(save);
        }
    }
    std::printf("chart with %d MiB of note data (%lld bytes), median of %d runs:\n", mebibytes,
                static_cast<long long>(size), runs);
    printRatio(QStringLiteral("open (read, cut the regions)"), median(opens), median(reads), 1.2);
    printRatio(QStringLiteral("save (build, write safely, fsync)"), median(saves), median(writes), 1.3);
    std::printf("    the same save against a raw crash-safe replacement (write, fsync, rename over an old file, fsync folder):\n");
    printRatio(QStringLiteral("save"), median(saves), median(replaces), 1.3);
    QFile::remove(path);
}

} // namespace

void benchChartIo(const QString &folder)
{
    const QByteArray cover = realCoverJpeg();
    const QByteArray thumbnail = realThumbnailBmp();
    std::printf("pictures: cover %lld bytes (800 x 600 JPEG), thumbnail %lld bytes (79 x 78 BMP)\n\n",
                static_cast<long long>(cover.size()), static_cast<long long>(thumbnail.size()));
    benchOneSize(folder, 1, 15, cover, thumbnail);
    benchOneSize(folder, 16, 9, cover, thumbnail);
    benchOneSize(folder, 256, 5, cover, thumbnail);
}

void benchPictureDecoding()
{
    const QByteArray cover = realCoverJpeg();
    const QByteArray thumbnail = realThumbnailBmp();
    for (const auto &[name, bytes] : {std::pair{"cover (800 x 600 JPEG)", cover}, std::pair{"thumbnail (79 x 78 BMP)", thumbnail}}) {
        std::vector<double> times;
        for (int run = 0; run < 30; ++run) {
            Picture picture;
            times.push_back(secondsOf([&] { picture = PictureFromByteStream(bytes); }));
            if (picture.isNull())
                fail(QStringLiteral("could not decode the ") + QLatin1String(name));
        }
        std::printf("  decoding the %-28s %8.3f ms (median of 30)\n", name, median(times) * 1000);
    }
}

} // namespace ojn::bench
