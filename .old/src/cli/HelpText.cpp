// What ojn-header says of itself: the manual (help.txt, compiled in), its
// version and the hint after a usage error.
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

QString versionText()
{
    return QStringLiteral("ojn-header %1\n").arg(QStringLiteral(OJN_VERSION));
}

QString usageHint()
{
    return QStringLiteral("Usage: ojn-header [--code-page N] show|set|extract FILE... [OPTIONS]\n"
                          "       ojn-header [--code-page N] check PATH... | list show|build|sync ... [OPTIONS]\n"
                          "       ojn-header [--code-page N] add|renumber|rename ... [OPTIONS]\n"
                          "       ojn-header [--code-page N] export PATH... [--output CSV] | import CSV [--dry-run]\n"
                          "Try 'ojn-header --help' for the whole manual.\n");
}

} // namespace ojn::cli
