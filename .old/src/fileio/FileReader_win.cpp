// FileReader on Windows.
#include "fileio/FileReader.h"

#include <QFile>

namespace ojn {

struct FileReader::Handle {
    QFile file;
};

FileReader::FileReader(const QString &path) : m_path(path), m_handle(std::make_unique<Handle>())
{
    m_handle->file.setFileName(path);
}

FileReader::~FileReader() = default;

Result<> FileReader::open()
{
    QFile &file = m_handle->file;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Failure{file.errorString()};
    // A device (a console, a pipe) would block a read.
    if (file.isSequential()) {
        file.close();
        return Failure{QStringLiteral("It is not a regular file.")};
    }
    m_size = file.size();
    return Result<>::success();
}

Result<qint64> FileReader::readAt(qint64 offset, char *out, qint64 count)
{
    QFile &file = m_handle->file;
    if (count == 0)
        return qint64(0);
    if (!file.seek(offset))
        return Failure{file.errorString()};
    qint64 done = 0;
    while (done < count) {
        const qint64 got = file.read(out + done, count - done);
        if (got < 0)
            return Failure{file.errorString()};
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

} // namespace ojn
