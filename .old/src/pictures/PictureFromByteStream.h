#pragma once

#include "pictures/Picture.h"

#include <QByteArray>

namespace ojn {

// Decodes a picture file held in memory (a JPEG or a BMP, or any format
// Qt reads). An empty buffer, or bytes that are no picture, give no
// picture; nothing is reported. The picture does not share the buffer.
[[nodiscard]] Picture PictureFromByteStream(const QByteArray &bytes);

} // namespace ojn
