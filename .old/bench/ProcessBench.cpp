#include "ProcessBench.h"

#include "BenchCharts.h"
#include "Report.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <cstdio>
#include <cstdlib>

namespace ojn::bench {
namespace {

QString probe(const char *name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name));
}

// Runs a probe to its end and returns what it printed, or stops the bench.
QByteArray runProbe(const QString &program, const QStringList &arguments, const QString &platform)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    child.setProcessEnvironment(environment);
    child.start(program, arguments);
    if (!child.waitForFinished(300000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), child.readAllStandardError().constData());
        std::exit(1);
    }
    return child.readAllStandardOutput().trimmed();
}

// Seconds from starting the probe to its "painted" line.
double secondsToFirstPaint(const QString &program, const QString &platform)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    child.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    child.start(program, {});
    while (!child.canReadLine()) {
        if (!child.waitForReadyRead(60000)) {
            std::fprintf(stderr, "%s never painted: %s\n", qPrintable(program), child.readAllStandardError().constData());
            std::exit(1);
        }
    }
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    child.waitForFinished(60000);
    return seconds;
}

} // namespace

void benchOpenMemory(const QString &folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("bench-memory.ojn"));
    const qint64 size = writeChartFile(path, qint64(256) << 20, realCoverJpeg(), realThumbnailBmp());
    if (size < 0) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        std::exit(1);
    }
    const QString program = probe("memory_probe");
    std::vector<double> empty, open;
    for (int run = 0; run < 3; ++run) {
        empty.push_back(runProbe(program, {}, QStringLiteral("offscreen")).toDouble() * 1024);
        open.push_back(runProbe(program, {path}, QStringLiteral("offscreen")).toDouble() * 1024);
    }
    QFile::remove(path);
    const double emptyPeak = median(empty), openPeak = median(open);
    std::printf("peak memory (VmHWM, offscreen, median of 3 runs): empty editor %.1f MiB, with the chart open %.1f MiB\n",
                emptyPeak / (1 << 20), openPeak / (1 << 20));
    printRatio(QStringLiteral("open chart's extra memory"), openPeak - emptyPeak, double(size), 1.15, "MiB",
               1.0 / (1 << 20));
}

void benchStartUp(const QString &platform)
{
    const QString editor = probe("startup_editor_probe");
    const QString minimal = probe("startup_minimal_probe");
    // Once each unmeasured, so both start from a warm file cache.
    secondsToFirstPaint(editor, platform);
    secondsToFirstPaint(minimal, platform);
    std::vector<double> editorTimes, minimalTimes;
    for (int run = 0; run < 15; ++run) {
        editorTimes.push_back(secondsToFirstPaint(editor, platform));
        minimalTimes.push_back(secondsToFirstPaint(minimal, platform));
    }
    printRatio(QStringLiteral("start-up to first paint (%1)").arg(platform), median(editorTimes), median(minimalTimes), 1.2);
}

} // namespace ojn::bench
