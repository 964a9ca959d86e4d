#pragma once

#include "text/CodePage.h"

#include <QLocale>
#include <QString>
#include <QTextStream>

namespace ojn::cli {

// Exit statuses of ojn-header.
enum ExitStatus : int {
    ExitOk = 0,
    ExitRefused = 1, // a chart was refused or a write failed; the others still ran
    ExitUsage = 2,   // the command line was wrong; nothing was read or written
};

// Where a command prints, and the user's settings it reads: the same locale
// and code page as the editor takes from its environment. Tests fill it
// with string streams and a chosen locale.
struct Console {
    QTextStream &out;
    QTextStream &err;
    QLocale locale;
    TextCodec codec;

    // Reports a failure that concerns one file, naming it once.
    void fileError(const QString &path, const QString &message);
    // Reports any other failure.
    void error(const QString &message);
};

} // namespace ojn::cli
