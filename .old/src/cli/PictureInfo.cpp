#include "cli/PictureInfo.h"

#include <QBuffer>
#include <QImageReader>

namespace ojn::cli {

PictureInfo pictureInfoOf(const QByteArray &bytes)
{
    PictureInfo info;
    if (bytes.isEmpty())
        return info;
    QByteArray copy = bytes; // shared, not copied
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!reader.canRead())
        return info;
    info.format = QString::fromLatin1(reader.format());
    info.size = reader.size();
    return info;
}

} // namespace ojn::cli
