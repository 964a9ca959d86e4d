#include "BenchCharts.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtEndian>

#include <cstring>

namespace ojn::bench {
namespace {

QByteArray encode(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, format == QByteArray("JPG") ? 90 : -1);
    return bytes;
}

// Fills a buffer with bytes that neither repeat nor compress (xorshift).
void fillVaried(QByteArray &chunk, quint64 &state)
{
    auto *words = reinterpret_cast<quint64 *>(chunk.data());
    for (qsizetype i = 0; i < chunk.size() / qsizetype(sizeof(quint64)); ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        words[i] = state;
    }
}

} // namespace

QByteArray realCoverJpeg()
{
    QImage image(800, 600, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = int(seed >> 27);
            line[x] = qRgb((x + noise) & 255, (y * 2 + noise) & 255, ((x ^ y) + noise) & 255);
        }
    }
    QPainter painter(&image);
    painter.setBrush(Qt::darkBlue);
    painter.drawEllipse(QRect(200, 100, 400, 400));
    painter.end();
    return encode(image, "JPG");
}

QByteArray realThumbnailBmp()
{
    QImage image(79, 78, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 3, y * 3, (x * y) & 255));
    }
    return encode(image, "BMP");
}

qint64 writeChartFile(const QString &path, qint64 noteBytes, const QByteArray &cover, const QByteArray &thumbnail)
{
    QByteArray header(300, '\0');
    auto put32 = [&header](qint64 offset, qint32 v) { qToLittleEndian<qint32>(v, header.data() + offset); };
    put32(0, 4242);
    qToLittleEndian<qint16>(3, header.data() + 12);
    qToLittleEndian<float>(145.5f, header.data() + 16);
    qToLittleEndian<qint16>(7, header.data() + 20);
    std::memcpy(header.data() + 108, "Benchmark Song", 14);
    std::memcpy(header.data() + 172, "Benchmark Artist", 16);
    std::memcpy(header.data() + 204, "Bencher", 7);
    std::memcpy(header.data() + 236, "o2ma4242.ojm", 12);
    put32(100, qint32(thumbnail.size()));
    put32(268, qint32(cover.size()));
    put32(296, qint32(300 + noteBytes));

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(header) != header.size())
        return -1;
    QByteArray chunk(4 << 20, Qt::Uninitialized);
    quint64 state = 0x9E3779B97F4A7C15ull;
    for (qint64 left = noteBytes; left > 0; left -= chunk.size()) {
        fillVaried(chunk, state);
        const qint64 piece = qMin<qint64>(left, chunk.size());
        if (file.write(chunk.constData(), piece) != piece)
            return -1;
    }
    if (file.write(cover) != cover.size() || file.write(thumbnail) != thumbnail.size())
        return -1;
    file.close();
    return file.error() == QFileDevice::NoError ? file.size() : -1;
}

} // namespace ojn::bench
