#include "pictures/PictureFromByteStream.h"

namespace ojn {

Picture PictureFromByteStream(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return Picture();
    return QImage::fromData(bytes);
}

} // namespace ojn
