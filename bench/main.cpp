// Measures how fast the editor reads and writes charts and starts, and how
// much memory an open chart costs, each against a baseline measured in the
// same run. Usage: ojn_bench [FOLDER]  (charts are made in FOLDER, which
// should be on the disk being measured; default: the current folder)
#include "ChartIoBench.h"
#include "ProcessBench.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Picture encoding and decoding need a GUI application, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray display = qgetenv("DISPLAY");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    const QString folder = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath()).absolutePath();
    if (!QDir().mkpath(folder))
        return 1;

    std::printf("== Chart files (in %s)\n", qPrintable(folder));
    ojn::bench::benchChartIo(folder);
    std::printf("\n== Picture decoding\n");
    ojn::bench::benchPictureDecoding();
    std::printf("\n== Memory\n");
    ojn::bench::benchOpenMemory(folder);
    std::printf("\n== Start-up\n");
    ojn::bench::benchStartUp(QStringLiteral("offscreen"));
    if (!display.isEmpty())
        ojn::bench::benchStartUp(QStringLiteral("xcb"));
    return 0;
}
