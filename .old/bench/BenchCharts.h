#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace ojn::bench {

// A cover and thumbnail of the sizes real charts carry: an 800 x 600 JPEG
// of a busy picture (so it compresses like a real one) and a 79 x 78
// 24-bit BMP.
[[nodiscard]] QByteArray realCoverJpeg();
[[nodiscard]] QByteArray realThumbnailBmp();

// Writes a chart with `noteBytes` bytes of note data (varied bytes, not
// zeros) and the given pictures to `path`, in pieces, without holding the
// whole file in memory. Returns the file's size, or -1 on failure.
qint64 writeChartFile(const QString &path, qint64 noteBytes, const QByteArray &cover, const QByteArray &thumbnail);

} // namespace ojn::bench
