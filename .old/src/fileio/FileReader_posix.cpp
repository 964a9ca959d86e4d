// FileReader on Linux and other POSIX systems.
#include "fileio/FileReader.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ojn {

struct FileReader::Handle {
    int fd = -1;
};

FileReader::FileReader(const QString &path) : m_path(path), m_handle(std::make_unique<Handle>()) {}

FileReader::~FileReader()
{
    if (m_handle->fd >= 0)
        ::close(m_handle->fd);
}

Result<> FileReader::open()
{
    int &fd = m_handle->fd;
    // Without O_NONBLOCK, opening a named pipe waits for a writer; the
    // type is then known from the open file, at no extra cost.
    do {
        fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    struct stat status;
    if (fd < 0 || ::fstat(fd, &status) != 0)
        return Failure{qt_error_string(errno)};
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        fd = -1;
        return Failure{QStringLiteral("It is not a regular file.")};
    }
    m_size = status.st_size;
    return Result<>::success();
}

Result<qint64> FileReader::readAt(qint64 offset, char *out, qint64 count)
{
    qint64 done = 0;
    while (done < count) {
        const ssize_t got = ::pread(m_handle->fd, out + done, size_t(count - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Failure{qt_error_string(errno)};
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

} // namespace ojn
