// The standard streams on Windows.
#include "standardstreams/SystemConsole.h"

#include <QStringDecoder>

#include <io.h>
#include <windows.h>

namespace ojn::systemconsole {
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

std::unique_ptr<QIODevice> openConsole(FILE *stream)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode))
        return std::make_unique<WindowsConsole>(handle);
    return nullptr;
}

void borrowParentConsole(FILE *stream)
{
    const HANDLE existing = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if ((existing == nullptr || existing == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
        std::freopen("CONOUT$", "w", stream);
}

} // namespace ojn::systemconsole
