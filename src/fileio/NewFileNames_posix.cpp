// New names without replacing, on Linux and other POSIX systems.
#include "fileio/NewFileNamesSystem.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/syscall.h>
#endif

namespace ojn::newnames {
namespace {

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// The file system, not the name, refuses: another way may work.
bool unsupported(int code)
{
    return code == EINVAL || code == ENOSYS || code == ENOTSUP || code == EOPNOTSUPP || code == EPERM;
}

// -1 with errno set as renameat2 would, ENOSYS where the system has none.
int renameRefusingToReplace(const QByteArray &from, const QByteArray &to)
{
#if defined(__linux__) && defined(SYS_renameat2)
    constexpr unsigned NoReplace = 1; // RENAME_NOREPLACE
    return int(::syscall(SYS_renameat2, AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), NoReplace));
#else
    (void)from;
    (void)to;
    errno = ENOSYS;
    return -1;
#endif
}

bool sameFile(const QByteArray &a, const QByteArray &b)
{
    struct stat first {}, second {};
    return ::lstat(a.constData(), &first) == 0 && ::lstat(b.constData(), &second) == 0 && first.st_dev == second.st_dev
        && first.st_ino == second.st_ino;
}

} // namespace

Outcome linkNoReplace(const QString &from, const QString &to, QString &error)
{
    const QByteArray source = QFile::encodeName(from), target = QFile::encodeName(to);
    if (::link(source.constData(), target.constData()) == 0)
        return Outcome::Done;
    const int code = errno;
    if (unsupported(code) || code == EXDEV)
        return Outcome::Unsupported;
    error = code == EEXIST ? QStringLiteral("a file of that name is already there.") : systemError(code);
    return Outcome::Failed;
}

Outcome moveNoReplace(const QString &from, const QString &to, QString &error)
{
    const QByteArray source = QFile::encodeName(from), target = QFile::encodeName(to);
    if (renameRefusingToReplace(source, target) == 0)
        return Outcome::Done;
    int code = errno;
    if (code == EEXIST) {
        error = QStringLiteral("a file of that name is already there.");
        return Outcome::Failed;
    }
    if (!unsupported(code)) {
        error = systemError(code);
        return Outcome::Failed;
    }
    // The new name, then the old one gone: both name the one file between.
    const Outcome linked = linkNoReplace(from, to, error);
    if (linked != Outcome::Done)
        return linked;
    if (!sameFile(source, target) || ::unlink(source.constData()) != 0) {
        error = QStringLiteral("the old name could not be removed: %1").arg(systemError(errno));
        return Outcome::Failed;
    }
    return Outcome::Done;
}

bool placeHeldFile(QFile &, const QString &from, const QString &to, QString &error)
{
    QString reason;
    switch (moveNoReplace(from, to, reason)) {
    case Outcome::Done:
        return true;
    case Outcome::Failed:
        error = reason;
        return false;
    case Outcome::Unsupported:
        break;
    }
    // Neither a refusing rename nor links (FAT, exFAT): the name is checked
    // first, then taken by an ordinary rename.
    struct stat existing {};
    const QByteArray target = QFile::encodeName(to);
    if (::lstat(target.constData(), &existing) == 0) {
        error = QStringLiteral("a file of that name is already there.");
        return false;
    }
    if (std::rename(QFile::encodeName(from).constData(), target.constData()) != 0) {
        error = systemError(errno);
        return false;
    }
    return true;
}

} // namespace ojn::newnames
