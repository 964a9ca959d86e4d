#pragma once

// Root passes every permission check, so a test about permissions runs the
// code under test in a child process as an ordinary user: as "nobody"
// (through setpriv) when the test runs as root, as itself otherwise.

#include <QProcess>
#include <QStringList>

namespace ojn::test {

// The words that run the command after them as that user: setpriv's, or
// none when the test is an ordinary user already.
QStringList ordinaryUserPrefix();
void startAsOrdinaryUser(QProcess &process, const QString &program, const QStringList &arguments);

// That user's id, which owns what the child makes.
uint ordinaryUserId();
// Makes `path` that user's own, as if the user had made it.
bool giveToOrdinaryUser(const QString &path);

} // namespace ojn::test
