#include "standardstreams/StandardStream.h"

#include <QFile>
#include <QTextStream>

#ifdef Q_OS_WIN
#include <QStringDecoder>

#include <io.h>
#include <windows.h>
#endif

namespace ojn {

#ifdef Q_OS_WIN
namespace {

class WindowsConsole : public QIODevice {
public:
    explicit WindowsConsole(HANDLE console)
        : m_console(console)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }

    qint64 writeData(const char *data, qint64 size) override
    {
        // Stateful: a character may be split between two writes.
        const QString text = m_decoder.decode(QByteArrayView(data, size));
        for (qsizetype done = 0; done < text.size();) {
            DWORD written = 0;
            const DWORD chunk = DWORD(qMin<qsizetype>(text.size() - done, 8192));
            if (!WriteConsoleW(m_console, text.utf16() + done, chunk, &written, nullptr) || written == 0)
                return -1;
            done += written;
        }
        return size;
    }

private:
    HANDLE m_console;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
};

} // namespace
#endif

std::unique_ptr<QIODevice> openStandardStream(FILE *stream)
{
#ifdef Q_OS_WIN
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode))
        return std::make_unique<WindowsConsole>(handle);
#endif
    // Unopened (a closed stream), it fails every write, which the caller
    // reports.
    auto file = std::make_unique<QFile>();
    (void)file->open(stream, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
    return file;
}

void printToStandardStream(FILE *stream, const QString &text)
{
#ifdef Q_OS_WIN
    const HANDLE existing = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if ((existing == nullptr || existing == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
        std::freopen("CONOUT$", "w", stream);
#endif
    const std::unique_ptr<QIODevice> device = openStandardStream(stream);
    QTextStream(device.get()) << text;
}

} // namespace ojn
