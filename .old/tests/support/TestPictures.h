#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>

namespace ojn::test {

// Real picture files made in memory with QImage.
QByteArray jpegBytes(QSize size, QColor colour);
QByteArray bmpBytes(QSize size, QColor colour);

// A small cover and thumbnail for fixtures.
QByteArray tinyJpeg();
QByteArray tinyBmp();

} // namespace ojn::test
