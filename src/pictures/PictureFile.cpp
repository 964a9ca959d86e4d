#include "pictures/PictureFile.h"

#include "fileio/SafeFileWriter.h"
#include "filekinds/OutputTarget.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <limits>

namespace ojn {
namespace {

// The system's reason as the end of a sentence; Qt's words on Windows
// already end in a full stop.
QString sentence(const QString &reason)
{
    return reason.endsWith(QLatin1Char('.')) ? reason : reason + QLatin1Char('.');
}

} // namespace

Result<> readPictureFile(const QString &path, PictureFileContent &content)
{
    auto failure = [&path](const QString &reason) {
        return Result<>::failure(QStringLiteral("Could not load the picture %1: %2").arg(QDir::toNativeSeparators(path), reason));
    };

    // A device or a pipe has no end to read up to, and opening a pipe
    // would wait for a writer that never comes: refuse both unopened. A
    // folder is named as one before opening too, where Windows would say
    // only "Access is denied".
    const QFileInfo info(path);
    if (info.isDir())
        return failure(QStringLiteral("file to open is a directory."));
    if (info.exists() && !info.isFile())
        return failure(QStringLiteral("it is not an ordinary file."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(sentence(file.errorString()));
    // A chart stores a picture's size in 32 bits.
    if (file.size() > std::numeric_limits<qint32>::max())
        return failure(QStringLiteral("it is too large to be stored in a chart."));

    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(sentence(file.errorString()));
    if (bytes.isEmpty())
        return failure(QStringLiteral("the file is empty."));

    // Decoded from the bytes just read rather than from the path again, so
    // the picture shown is the one the chart will carry.
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    Picture picture = reader.read();
    if (picture.isNull())
        return failure(QStringLiteral("it cannot be read as a picture (%1).").arg(reader.errorString()));

    content.bytes = std::move(bytes);
    content.picture = std::move(picture);
    return Result<>::success();
}

Result<> checkPictureTarget(const QString &path)
{
    // Either picture kind: both are "a picture" in the refusal.
    return checkOutputTarget(path, FileKind::Jpeg);
}

Result<> writePictureFile(const QString &path, const QByteArray &bytes)
{
    if (Result<> target = checkPictureTarget(path); !target.ok())
        return target;
    return writeFileSafely(path, bytesWriter(bytes, QStringLiteral("the picture")));
}

} // namespace ojn
