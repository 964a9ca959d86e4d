// Helper for the killed-add test: adds every chart of argv[2] to the music
// folder argv[1], saying "adding" on stdout just before it starts and
// "added" when it has ended, so the test can time its kills from there.
#include "folderplans/FolderPlans.h"
#include "folderplans/PlanExecutor.h"

#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3)
        return 2;
    QStringList charts;
    const QDir sources(QString::fromLocal8Bit(argv[2]));
    for (const QString &name : sources.entryList({QStringLiteral("*.ojn")}, QDir::Files, QDir::Name))
        charts << sources.filePath(name);
    std::fputs("adding\n", stdout);
    std::fflush(stdout);
    const ojn::Result<ojn::FolderPlan> planned = ojn::planAdd(QString::fromLocal8Bit(argv[1]), charts, {});
    if (!planned.ok() || !planned->refused.isEmpty())
        return 3;
    if (!ojn::executeFolderPlan(planned.value()).failed.isEmpty())
        return 4;
    std::fputs("added\n", stdout);
    std::fflush(stdout);
    return 0;
}
