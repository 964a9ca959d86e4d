#include "model/FileReader.h"

#include "model/DeviceIo.h"

#ifdef Q_OS_UNIX
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ojn {

#ifdef Q_OS_UNIX

FileReader::FileReader(const QString &path) : m_path(path) {}

FileReader::~FileReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileReader::open()
{
    do {
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
    } while (m_fd < 0 && errno == EINTR);
    struct stat status;
    if (m_fd < 0 || ::fstat(m_fd, &status) != 0) {
        m_error = qt_error_string(errno);
        return false;
    }
    m_size = status.st_size;
    return true;
}

bool FileReader::readAt(qint64 offset, char *out, qint64 count)
{
    while (count > 0) {
        const ssize_t got = ::pread(m_fd, out, size_t(count), off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            m_error = qt_error_string(errno);
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
    return m_error;
}

#else

FileReader::FileReader(const QString &path) : m_path(path), m_file(path) {}

FileReader::~FileReader() = default;

bool FileReader::open()
{
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    m_size = m_file.size();
    return true;
}

bool FileReader::readAt(qint64 offset, char *out, qint64 count)
{
    return readExactlyAt(m_file, offset, out, count);
}

QString FileReader::errorString() const
{
    return m_file.error() != QFileDevice::NoError ? m_file.errorString() : QString();
}

#endif

} // namespace ojn
