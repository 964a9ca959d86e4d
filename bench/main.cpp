// Measures how fast the editor reads and writes charts and starts, how
// much memory an open chart costs, and how the Music Folder window reads a
// folder of 10,000 charts, each against a baseline measured in the same
// run. Usage: ojn_bench [FOLDER [PART]]  (charts are made in FOLDER, which
// should be on the disk being measured; default: the current folder. PART
// runs one part alone: charts, memory, music-folder or start-up)
#include "ChartIoBench.h"
#include "MusicFolderBench.h"
#include "ProcessBench.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Picture decoding and the Music Folder window need an application
    // object, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray display = qgetenv("DISPLAY");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    const QString folder = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath()).absolutePath();
    if (!QDir().mkpath(folder))
        return 1;

    const QString part = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const auto runs = [&part](const char *name) { return part.isEmpty() || part == QLatin1String(name); };

    if (runs("charts")) {
        std::printf("== Chart files (in %s)\n", qPrintable(folder));
        ojn::bench::benchChartIo(folder);
        std::printf("\n== Picture decoding\n");
        ojn::bench::benchPictureDecoding();
    }
    if (runs("memory")) {
        std::printf("\n== Memory\n");
        ojn::bench::benchOpenMemory(folder);
    }
    if (runs("music-folder")) {
        std::printf("\n== Music Folder window (in %s)\n", qPrintable(folder));
        ojn::bench::benchMusicFolderWindow(folder);
    }
    if (runs("start-up")) {
        std::printf("\n== Start-up\n");
        ojn::bench::benchStartUp(QStringLiteral("offscreen"));
        if (!display.isEmpty())
            ojn::bench::benchStartUp(QStringLiteral("xcb"));
    }
    return 0;
}
