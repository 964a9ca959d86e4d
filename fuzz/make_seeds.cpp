// Writes the seed charts into a folder, as the starting corpus for libFuzzer.
#include "FuzzSeeds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(app.arguments().at(1));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    for (const ojn::fuzz::Seed &seed : ojn::fuzz::seedCharts()) {
        QFile file(folder.filePath(seed.name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(seed.bytes) != seed.bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
