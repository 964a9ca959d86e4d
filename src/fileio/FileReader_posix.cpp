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
    QString error;
};

FileReader::FileReader(const QString &path) : m_path(path), m_handle(std::make_unique<Handle>()) {}

FileReader::~FileReader()
{
    if (m_handle->fd >= 0)
        ::close(m_handle->fd);
}

bool FileReader::open()
{
    int &fd = m_handle->fd;
    do {
        fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    struct stat status;
    if (fd < 0 || ::fstat(fd, &status) != 0) {
        m_handle->error = qt_error_string(errno);
        return false;
    }
    m_size = status.st_size;
    return true;
}

bool FileReader::readAt(qint64 offset, char *out, qint64 count)
{
    while (count > 0) {
        const ssize_t got = ::pread(m_handle->fd, out, size_t(count), off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            m_handle->error = qt_error_string(errno);
        if (got <= 0)
            return false;
        out += got;
        offset += got;
        count -= got;
    }
    return true;
}

QString FileReader::errorString() const
{
    return m_handle->error;
}

} // namespace ojn
