// The manual printed by `ojn-header --help`: help.txt, compiled in.
#include "cli/CommandLine.h"

#include <QFile>

namespace ojn::cli {

QString helpText()
{
    QFile manual(QStringLiteral(":/cli/help.txt"));
    if (!manual.open(QIODevice::ReadOnly))
        return QString(); // only when the build left it out, which the usage tests catch
    return QString::fromUtf8(manual.readAll());
}

} // namespace ojn::cli
