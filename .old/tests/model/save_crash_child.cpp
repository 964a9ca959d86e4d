// Helper for the crash-safety test: reads the chart at argv[1] and saves it
// over argv[2] with the real save, saying "saving" on stdout just before
// the save starts and "saved" when it has ended, so the test can time its
// kills from there.
#include "model/ChartFile.h"
#include "model/ChartReader.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3)
        return 2;
    const ojn::Result<ojn::ChartRecord> source = ojn::readChartFile(QString::fromLocal8Bit(argv[1]));
    if (!source.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(source.error()));
        return 3;
    }
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    const ojn::Result<> saved = ojn::saveChartFile(source.value(), QString::fromLocal8Bit(argv[2]));
    if (!saved.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(saved.error()));
        return 4;
    }
    std::fputs("saved\n", stdout);
    std::fflush(stdout);
    return 0;
}
