// Reads a chart and saves it under another name with the model's own save.
// tst_chart_file runs it as an ordinary user, where permission bits count.
// Usage: save_chart_helper <chart to read> <file to save>
// Exit code: 0 saved, 1 the save failed (the reason on stderr), 2 misuse.
#include "model/ChartFile.h"
#include "model/ChartReader.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: save_chart_helper <from> <to>\n", stderr);
        return 2;
    }
    const ojn::ChartReadResult read = ojn::readChartFile(QString::fromLocal8Bit(argv[1]));
    if (read.status != ojn::ChartReadStatus::Read) {
        std::fprintf(stderr, "could not read the chart: %s\n", qPrintable(read.error));
        return 2;
    }
    const ojn::Outcome saved = ojn::saveChartFile(read.record, QString::fromLocal8Bit(argv[2]));
    if (!saved.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(saved.error()));
        return 1;
    }
    return 0;
}
