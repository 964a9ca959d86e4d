#include "standardstreams/StandardStream.h"

#include "standardstreams/SystemConsole.h"

#include <QFile>
#include <QTextStream>

namespace ojn {

std::unique_ptr<QIODevice> openStandardStream(FILE *stream)
{
    if (std::unique_ptr<QIODevice> console = systemconsole::openConsole(stream))
        return console;
    // Unopened (a closed stream), it fails every write, which the caller
    // reports.
    auto file = std::make_unique<QFile>();
    (void)file->open(stream, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
    return file;
}

void printToStandardStream(FILE *stream, const QString &text)
{
    systemconsole::borrowParentConsole(stream);
    const std::unique_ptr<QIODevice> device = openStandardStream(stream);
    QTextStream(device.get()) << text;
}

} // namespace ojn
