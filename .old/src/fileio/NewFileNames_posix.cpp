// New names without replacing, on Linux and other POSIX systems.
#include "fileio/NewFileNamesSystem.h"
#include "fileio/NewFileNamesTesting.h"

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
    if (namingWaysLacking().oneStepMove) {
        errno = ENOSYS;
        return -1;
    }
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

Result<Naming> linkNoReplace(const QString &from, const QString &to)
{
    if (namingWaysLacking().links)
        return Naming::Unsupported;
    const QByteArray source = QFile::encodeName(from), target = QFile::encodeName(to);
    if (::link(source.constData(), target.constData()) == 0)
        return Naming::Done;
    const int code = errno;
    if (unsupported(code) || code == EXDEV)
        return Naming::Unsupported;
    return Failure{code == EEXIST ? QStringLiteral("a file of that name is already there.") : systemError(code)};
}

Result<Naming> moveNoReplace(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from), target = QFile::encodeName(to);
    if (renameRefusingToReplace(source, target) == 0)
        return Naming::Done;
    int code = errno;
    if (code == EEXIST)
        return Failure{QStringLiteral("a file of that name is already there.")};
    if (!unsupported(code))
        return Failure{systemError(code)};
    // The new name, then the old one gone: both name the one file between.
    const Result<Naming> linked = linkNoReplace(from, to);
    if (!linked.ok() || linked.value() != Naming::Done)
        return linked;
    if (!sameFile(source, target) || ::unlink(source.constData()) != 0)
        return Failure{QStringLiteral("the old name could not be removed: %1").arg(systemError(errno))};
    return Naming::Done;
}

Result<> placeHeldFile(QFile &, const QString &from, const QString &to)
{
    const Result<Naming> moved = moveNoReplace(from, to);
    if (!moved.ok())
        return Failure{moved.error()};
    if (moved.value() == Naming::Done)
        return Result<>::success();
    // Neither a refusing rename nor links (FAT, exFAT): the name is checked
    // first, then taken by an ordinary rename.
    struct stat existing {};
    const QByteArray target = QFile::encodeName(to);
    if (::lstat(target.constData(), &existing) == 0)
        return Failure{QStringLiteral("a file of that name is already there.")};
    if (std::rename(QFile::encodeName(from).constData(), target.constData()) != 0)
        return Failure{systemError(errno)};
    return Result<>::success();
}

} // namespace ojn::newnames
