#include "support/OrdinaryUser.h"

#include <QFile>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace ojn::test {
namespace {

bool asRoot()
{
    return ::geteuid() == 0;
}

} // namespace

QStringList ordinaryUserPrefix()
{
    if (!asRoot())
        return {};
    return {QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
            QStringLiteral("--clear-groups")};
}

void startAsOrdinaryUser(QProcess &process, const QString &program, const QStringList &arguments)
{
    QStringList command = ordinaryUserPrefix() + QStringList{program} + arguments;
    process.start(command.takeFirst(), command);
}

uint ordinaryUserId()
{
    if (!asRoot())
        return ::geteuid();
    const passwd *nobody = ::getpwnam("nobody");
    return nobody ? nobody->pw_uid : 0;
}

bool giveToOrdinaryUser(const QString &path)
{
    if (!asRoot())
        return true;
    const group *nogroup = ::getgrnam("nogroup");
    return nogroup && ::chown(QFile::encodeName(path).constData(), ordinaryUserId(), nogroup->gr_gid) == 0;
}

} // namespace ojn::test
