// The safe writer's system calls on Linux and other POSIX systems.
#include "fileio/SafeFileSystem.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ojn::safefs {
namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

Result<Creation> createHeldFile(QFile &file, const QString &path)
{
    file.setFileName(path);
    // NewOnly never reuses an existing file, and the new file gets the
    // user's usual permissions.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFile::exists(path))
            return Creation::NameTaken;
        return Failure{file.errorString()};
    }
    // A file system without locks (some network ones) leaves the file
    // unheld; tidying up there cannot lock either, so it removes nothing.
    if (::flock(file.handle(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        file.close(); // a save tidying up has it, and is removing it
        return Creation::NameTaken;
    }
    // Tidying up may have removed the name between the open and the lock.
    struct stat held {}, named {};
    if (::fstat(file.handle(), &held) != 0 || ::lstat(QFile::encodeName(path).constData(), &named) != 0
        || !sameFile(held, named)) {
        file.close();
        return Creation::NameTaken;
    }
    return Creation::Created;
}

void keepOwnerAndMode(QFile &file, const QString &replaced)
{
    struct stat old {};
    if (::stat(QFile::encodeName(replaced).constData(), &old) != 0)
        return;
    const int fd = file.handle();
    // The owner before the mode: changing the owner may clear set-ID bits.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0) {
        // Not allowed to: the new file stays the saving user's.
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        // A file system without modes (FAT) keeps its own.
    }
}

Result<> syncToDisk(QFile &file)
{
    if (::fsync(file.handle()) != 0)
        return Failure{systemError()};
    return Result<>::success();
}

Result<> replaceWithHeldFile(QFile &, const QString &from, const QString &to)
{
    // rename() replaces the target in one step, read-only or not.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return Failure{systemError()};
    return Result<>::success();
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void removeUnlessHeld(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    // Read and write, as a network file system's lock needs.
    const int fd = ::open(name.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat opened {}, named {};
    // With the lock taken no save holds it, and the name must still be
    // that file: a save may have renamed it into place meanwhile.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)
        && ::lstat(name.constData(), &named) == 0 && sameFile(opened, named))
        ::unlink(name.constData());
    ::close(fd);
}

} // namespace ojn::safefs
