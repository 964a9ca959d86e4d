// Runs the fuzz target's seeds (FUZZ_TARGET names it), and any files or folders named on the command line
// (a corpus, or a crash libFuzzer found), through the fuzz target once
// each, with any compiler: a broken promise aborts the run.
#include "FuzzSeeds.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

void run(const QString &name, const QByteArray &bytes)
{
    std::printf("%s (%lld bytes)\n", qPrintable(name), static_cast<long long>(bytes.size()));
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
}

void runFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    run(path, file.readAll());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int count = 0;
    for (const ojn::fuzz::Seed &seed : ojn::fuzz::seedsFor(QStringLiteral(FUZZ_TARGET))) {
        run(seed.name, seed.bytes);
        ++count;
    }
    for (const QString &argument : app.arguments().mid(1)) {
        if (QFileInfo(argument).isDir()) {
            QDirIterator files(argument, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (files.hasNext()) {
                runFile(files.next());
                ++count;
            }
        } else {
            runFile(argument);
            ++count;
        }
    }
    std::printf("%d inputs checked\n", count);
    return 0;
}
