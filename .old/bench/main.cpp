// Measures how fast the editor reads and writes charts and starts, how
// fast whole music folders are checked and listed, how much memory an
// open chart costs, and how the Music Folder window reads a folder of
// 10,000 charts, each against a baseline measured in the same run.
// Usage: ojn_bench [FOLDER [PART...]]  (charts are made in FOLDER, which
// should be on the disk being measured; default: the current folder.
// PARTs: charts, folder, add, rename, pictures, memory, music-folder-window, undo, start-up;
// default: all)
#include "ChartIoBench.h"
#include "FolderBench.h"
#include "FolderPlansBench.h"
#include "MusicFolderBench.h"
#include "ProcessBench.h"
#include "UndoBench.h"

#include <QApplication>
#include <QDir>
#include <QStringList>

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

    QStringList parts;
    for (int i = 2; i < argc; ++i)
        parts.append(QString::fromLocal8Bit(argv[i]));
    const auto runs = [&parts](const char *part) { return parts.isEmpty() || parts.contains(QLatin1String(part)); };

    if (runs("charts")) {
        std::printf("== Chart files (in %s)\n", qPrintable(folder));
        ojn::bench::benchChartIo(folder);
    }
    if (runs("folder")) {
        std::printf("\n== A music folder and its song list (in %s)\n", qPrintable(folder));
        ojn::bench::benchMusicFolder(folder);
    }
    if (runs("add")) {
        std::printf("\n== Adding charts to a music folder (in %s)\n", qPrintable(folder));
        ojn::bench::benchAddCharts(folder);
    }
    if (runs("rename")) {
        std::printf("\n== Naming charts for their song IDs (in %s)\n", qPrintable(folder));
        ojn::bench::benchRenameCharts(folder);
    }
    if (runs("pictures")) {
        std::printf("\n== Picture decoding\n");
        ojn::bench::benchPictureDecoding();
    }
    if (runs("memory")) {
        std::printf("\n== Memory\n");
        ojn::bench::benchOpenMemory(folder);
    }
    if (runs("music-folder-window")) {
        std::printf("\n== Music Folder window (in %s)\n", qPrintable(folder));
        ojn::bench::benchMusicFolderWindow(folder);
    }
    if (runs("undo")) {
        std::printf("\n== Undo in the Music Folder window (in %s)\n", qPrintable(folder));
        ojn::bench::benchUndo(folder);
    }
    if (runs("start-up")) {
        std::printf("\n== Start-up\n");
        ojn::bench::benchStartUp(QStringLiteral("offscreen"));
        if (!display.isEmpty())
            ojn::bench::benchStartUp(QStringLiteral("xcb"));
    }
    return 0;
}
