// Writes a plausible chart for screenshots of the editor with a chart open.
// Usage: make_sample_chart PATH
#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv); // finds the picture encoders
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_chart PATH\n");
        return 2;
    }
    using namespace ojn::test;
    ChartBuilder()
        .songId(1042)
        .genre(3)
        .bpm(142.5f)
        .levels(3, 7, 12)
        .noteCounts(412, 801, 1377)
        .titleBytes("Sunset Boulevard Run")
        .artistBytes("Tevrik Sound Team")
        .patternBytes(QByteArray("Mira", 5)) // with its end mark: the default is longer
        .ojmBytes("o2ma1042.ojm")
        .cover(jpegBytes(QSize(320, 240), QColor(230, 140, 60)))
        .thumbnail(bmpBytes(QSize(80, 80), QColor(60, 90, 200)))
        .writeTo(QString::fromLocal8Bit(argv[1]));
    return 0;
}
