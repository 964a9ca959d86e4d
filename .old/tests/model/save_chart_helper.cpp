// Reads a chart and saves it under another name with the model's own save.
// tst_chart_file runs it as an ordinary user, where permission bits count,
// and two at once in one folder: given a number of times, it says "ready"
// and waits for a line on its input before it starts saving, so that both
// save at the same time.
// Usage: save_chart_helper <chart to read> <file to save> [times]
// Exit code: 0 saved, 1 a save failed (the reason on stderr), 2 misuse.
#include "model/ChartFile.h"
#include "model/ChartReader.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int times = argc == 4 ? std::atoi(argv[3]) : 1;
    if ((argc != 3 && argc != 4) || times < 1) {
        std::fputs("usage: save_chart_helper <from> <to> [times]\n", stderr);
        return 2;
    }
    const ojn::Result<ojn::ChartRecord> read = ojn::readChartFile(QString::fromLocal8Bit(argv[1]));
    if (!read.ok()) {
        std::fprintf(stderr, "could not read the chart: %s\n", qPrintable(read.error()));
        return 2;
    }
    if (argc == 4) {
        std::puts("ready");
        std::fflush(stdout);
        char line[16];
        if (!std::fgets(line, sizeof line, stdin))
            return 2;
    }
    for (int save = 0; save < times; ++save) {
        const ojn::Result<> saved = ojn::saveChartFile(read.value(), QString::fromLocal8Bit(argv[2]));
        if (!saved.ok()) {
            std::fprintf(stderr, "save %d: %s\n", save + 1, qPrintable(saved.error()));
            return 1;
        }
    }
    return 0;
}
