#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace ojn::test {

// What one in-process run of ojn-header printed and returned.
struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs the command line in-process, as a user with this locale and code
// page would (defaults: the C locale, Western code page 1252).
CliRun runCli(const QStringList &arguments, const QLocale &locale = QLocale::c(), int codePage = 1252);

} // namespace ojn::test
