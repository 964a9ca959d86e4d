// notRegularFileReason on Linux and other POSIX systems.
#include "fileio/NotRegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace ojn {
namespace {

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe (FIFO)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("not a regular file");
}

// The last link of a chain, whose target is the one that is not there.
QString lastTargetOf(const QString &path)
{
    QString target = QFileInfo(path).symLinkTarget();
    for (int links = 0; links < 40 && QFileInfo(target).isSymLink(); ++links)
        target = QFileInfo(target).symLinkTarget();
    return QDir::toNativeSeparators(target);
}

} // namespace

QString notRegularFileReason(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    struct stat link {};
    const bool isLink = ::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode);
    if (::stat(name.constData(), &status) == 0) {
        if (S_ISREG(status.st_mode))
            return QString();
        if (isLink)
            return QStringLiteral("it is a link to %1, which is %2").arg(lastTargetOf(path), kindOf(status.st_mode));
        return QStringLiteral("it is ") + kindOf(status.st_mode);
    }
    const int error = errno;
    if (!isLink)
        return QString();
    if (error == ELOOP)
        return QStringLiteral("it is a link in a loop of links, which never reaches a file");
    if (error == ENOENT || error == ENOTDIR)
        return QStringLiteral("it is a link to %1, which does not exist").arg(lastTargetOf(path));
    return QStringLiteral("it is a link to %1, which cannot be reached: %2").arg(lastTargetOf(path), qt_error_string(error));
}

} // namespace ojn
