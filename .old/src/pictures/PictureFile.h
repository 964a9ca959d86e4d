#pragma once

#include "result/Result.h"
#include "pictures/Picture.h"

#include <QByteArray>
#include <QString>

namespace ojn {

// A picture file as it goes into a chart: its bytes exactly as on disk and
// the picture decoded from those very bytes.
struct PictureFileContent {
    QByteArray bytes;
    Picture picture;
};

// Reads the whole file at `path` and decodes it. Everything is checked
// before `content` is touched, so on failure it keeps what it held and the
// message names the file and says why: it cannot be read, it is empty, it
// is too large for a chart, or it cannot be decoded as a picture.
[[nodiscard]] Result<> readPictureFile(const QString &path, PictureFileContent &content);

// Refuses a picture's target that is a chart, an OJM or a song list (see
// checkOutputTarget).
[[nodiscard]] Result<> checkPictureTarget(const QString &path);

// Writes `bytes` as the whole content of the file at `path`, after that
// check, replacing an existing file safely (see writeFileSafely): on
// failure the old file is exactly as it was.
[[nodiscard]] Result<> writePictureFile(const QString &path, const QByteArray &bytes);

} // namespace ojn
