#include "RawIo.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace ojn::bench {

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "benchmark failed: %s\n", qPrintable(what));
    std::exit(1);
}

QByteArray rawRead(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        fail(file.errorString());
    QByteArray bytes(file.size(), Qt::Uninitialized);
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 got = file.read(bytes.data() + done, bytes.size() - done);
        if (got <= 0)
            fail(QStringLiteral("short read of ") + path);
        done += got;
    }
    return bytes;
}

void rawWriteAndSync(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)
        || file.write(bytes) != bytes.size() || ::fsync(file.handle()) != 0)
        fail(QStringLiteral("raw write: ") + file.errorString());
    file.close();
}

void settle(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0 || ::syncfs(fd) != 0)
        fail(QStringLiteral("could not sync ") + folder);
    ::close(fd);
}

void rawReplace(const QString &folder, const QString &newPath, const QString &oldPath, const QByteArray &bytes)
{
    rawWriteAndSync(newPath, bytes);
    if (std::rename(QFile::encodeName(newPath).constData(), QFile::encodeName(oldPath).constData()) != 0)
        fail(QStringLiteral("rename failed"));
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0 || ::fsync(fd) != 0)
        fail(QStringLiteral("could not sync ") + folder);
    ::close(fd);
}

} // namespace ojn::bench
