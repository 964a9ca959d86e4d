// FileReader on Windows.
#include "fileio/FileReader.h"

#include "fileio/DeviceIo.h"

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

bool FileReader::open()
{
    QFile &file = m_handle->file;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    m_size = file.size();
    return true;
}

bool FileReader::readAt(qint64 offset, char *out, qint64 count)
{
    return readExactlyAt(m_handle->file, offset, out, count);
}

QString FileReader::errorString() const
{
    const QFile &file = m_handle->file;
    return file.error() != QFileDevice::NoError ? file.errorString() : QString();
}

} // namespace ojn
