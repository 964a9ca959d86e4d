// Writes a fuzz target's seeds into a folder, as the starting corpus for
// libFuzzer. Usage: fuzz_seeds FOLDER [TARGET] (default: chart_reader).
#include "FuzzSeeds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QList<ojn::fuzz::Seed> seeds = ojn::fuzz::seedsFor(arguments.value(2, QStringLiteral("chart_reader")));
    if (arguments.size() < 2 || arguments.size() > 3 || seeds.isEmpty()) {
        std::fprintf(stderr, "usage: %s FOLDER [chart_reader|song_list|note_sections|csv_reader|file_kind]\n", argv[0]);
        return 2;
    }
    const QDir folder(app.arguments().at(1));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    for (const ojn::fuzz::Seed &seed : seeds) {
        QFile file(folder.filePath(seed.name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(seed.bytes) != seed.bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
