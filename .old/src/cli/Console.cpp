#include "cli/Console.h"

#include <QDir>

namespace ojn::cli {

void Console::fileError(const QString &path, const QString &message)
{
    // The chart core's messages usually name the file already.
    const QString shown = QDir::toNativeSeparators(path);
    if (message.contains(shown))
        error(message);
    else
        error(QStringLiteral("%1: %2").arg(shown, message));
}

void Console::error(const QString &message)
{
    err << "ojn-header: " << message << Qt::endl;
}

} // namespace ojn::cli
