// FileReader on Windows.
#include "fileio/FileReader.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

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
    // Every sharing, so that a file another save holds open (with delete
    // access, to rename it into place) can still be read.
    const HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(m_path).utf16()), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        QString reason = qt_error_string(int(code));
        if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION)
            reason += QStringLiteral(" Another program may have the file open; close it there and try again.");
        return Failure{reason};
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY);
    if (fd == -1) {
        CloseHandle(handle);
        return Failure{QStringLiteral("The file could not be opened.")};
    }
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        _close(fd);
        return Failure{file.errorString()};
    }
    // A device (a console, a pipe) would block a read.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
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
