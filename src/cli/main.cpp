#include "cli/HeaderTool.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // No display needed: pictures are only decoded, never shown.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ojn-header"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    ojn::cli::Console console{out, err, QLocale(), ojn::TextCodec(ojn::systemAnsiCodePage())};
    const int status = ojn::cli::runHeaderTool(QCoreApplication::arguments().mid(1), console);
    out.flush();
    err.flush();
    return status;
}
