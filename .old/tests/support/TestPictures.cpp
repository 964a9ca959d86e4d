#include "support/TestPictures.h"

#include <QBuffer>
#include <QImage>

namespace ojn::test {
namespace {

QByteArray encode(QSize size, QColor colour, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

QByteArray jpegBytes(QSize size, QColor colour)
{
    return encode(size, colour, "JPG");
}

QByteArray bmpBytes(QSize size, QColor colour)
{
    return encode(size, colour, "BMP");
}

QByteArray tinyJpeg()
{
    return jpegBytes(QSize(16, 12), QColor(200, 40, 40));
}

QByteArray tinyBmp()
{
    return bmpBytes(QSize(8, 6), QColor(40, 40, 200));
}

} // namespace ojn::test
