#include "fileio/FileContent.h"

#include "fileio/FileReader.h"

#include <QDir>

#include <cstring>

namespace ojn {

Result<QByteArray> readWholeFile(const QString &path)
{
    FileReader reader(path);
    if (const Result<> opened = reader.open(); !opened.ok())
        return Result<QByteArray>::failure(opened.error());
    QByteArray content(reader.size(), Qt::Uninitialized);
    const Result<qint64> read = reader.readAt(0, content.data(), content.size());
    if (!read.ok())
        return Result<QByteArray>::failure(read.error());
    if (read.value() != content.size())
        return Result<QByteArray>::failure(QStringLiteral("%1 changed while it was read.").arg(shownPath(path)));
    return content;
}

bool fileHolds(const QString &path, const QByteArray &bytes)
{
    FileReader file(path);
    if (!file.open().ok() || file.size() != bytes.size())
        return false;
    QByteArray content(bytes.size(), Qt::Uninitialized);
    const Result<qint64> read = file.readAt(0, content.data(), content.size());
    return read.ok() && read.value() == content.size() && content == bytes;
}

bool sameBytes(const QString &a, const QString &b)
{
    // Through the reader, which opens regular files only: a named pipe
    // under either name would keep a plain open waiting.
    FileReader first(a), second(b);
    if (!first.open().ok() || !second.open().ok() || first.size() != second.size())
        return false;
    constexpr qint64 Piece = 1 << 20;
    QByteArray one(qMin(Piece, first.size()), Qt::Uninitialized), other(one.size(), Qt::Uninitialized);
    for (qint64 at = 0; at < first.size(); at += one.size()) {
        const qint64 count = qMin<qint64>(one.size(), first.size() - at);
        const Result<qint64> readOne = first.readAt(at, one.data(), count), readOther = second.readAt(at, other.data(), count);
        if (!readOne.ok() || !readOther.ok() || readOne.value() != count || readOther.value() != count
            || std::memcmp(one.constData(), other.constData(), size_t(count)) != 0)
            return false;
    }
    return true;
}

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace ojn
