#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace ojn::cli {

// What a picture buffer holds, for `show`: read from the picture's own
// header, without decoding it.
struct PictureInfo {
    QString format; // "jpeg", "bmp", ...; empty when the bytes are no picture
    QSize size;     // in pixels; invalid when unknown
};

[[nodiscard]] PictureInfo pictureInfoOf(const QByteArray &bytes);

} // namespace ojn::cli
