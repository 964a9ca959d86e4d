#include "cli/HeaderTool.h"
#include "standardstreams/StandardStream.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // No display needed: pictures are only decoded, never shown.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ojn-header"));

    const std::unique_ptr<QIODevice> standardOutput = ojn::openStandardStream(stdout);
    const std::unique_ptr<QIODevice> standardError = ojn::openStandardStream(stderr);
    QTextStream out(standardOutput.get());
    QTextStream err(standardError.get());
    ojn::cli::Console console{out, err, QLocale(), ojn::TextCodec(ojn::systemAnsiCodePage())};
    int status = ojn::cli::runHeaderTool(QCoreApplication::arguments().mid(1), console);
    out.flush();
    // A script must not take a lost listing (a full disk, a closed pipe)
    // for a complete one.
    if (out.status() != QTextStream::Ok) {
        console.error(QStringLiteral("could not write to standard output."));
        status = status == ojn::cli::ExitOk ? ojn::cli::ExitRefused : status;
    }
    err.flush();
    return status;
}
