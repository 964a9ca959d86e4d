#include "folderplans/FolderPlan.h"

#include <QDir>
#include <QFileInfo>

namespace ojn {
namespace {

QString shownIn(const QString &path, const QString &folder)
{
    const QFileInfo file(path);
    if (!folder.isEmpty() && file.absolutePath() == QFileInfo(folder).absoluteFilePath())
        return file.fileName();
    return QDir::toNativeSeparators(path);
}

} // namespace

QString describeStep(const PlanStep &step, const QString &folder, bool done)
{
    const QString from = shownIn(step.from, folder), to = shownIn(step.to, folder);
    QString line;
    switch (step.kind) {
    case StepKind::Copy:
        line = QStringLiteral("%1 %2 to %3").arg(done ? QStringLiteral("copied") : QStringLiteral("copy"), from, to);
        break;
    case StepKind::Link:
        line = QStringLiteral("%1 %2 the second name %3").arg(done ? QStringLiteral("gave") : QStringLiteral("give"), from, to);
        break;
    case StepKind::Write:
        if (step.inPlace)
            line = QStringLiteral("%1 %2 with song ID %3 and OJM o2ma%3.ojm").arg(done ? QStringLiteral("rewrote") : QStringLiteral("rewrite"), to).arg(step.songId);
        else
            line = QStringLiteral("%1 %2 as %3 with song ID %4 and OJM o2ma%4.ojm")
                       .arg(done ? QStringLiteral("wrote") : QStringLiteral("write"), from, to).arg(step.songId);
        break;
    case StepKind::Rename:
        line = QStringLiteral("%1 %2 to %3").arg(done ? QStringLiteral("moved") : QStringLiteral("move"), from, to);
        break;
    case StepKind::Remove:
        line = QStringLiteral("%1 %2").arg(done ? QStringLiteral("removed") : QStringLiteral("remove"), from);
        break;
    case StepKind::ListUpdate:
        line = step.list ? QStringLiteral("%1 the song list %2").arg(done ? QStringLiteral("updated") : QStringLiteral("update"), to)
                         : QStringLiteral("%1 the song list %2 with the folder").arg(done ? QStringLiteral("synced") : QStringLiteral("sync"), to);
        break;
    }
    if (!done && !step.why.isEmpty())
        line += QStringLiteral(" (%1)").arg(step.why);
    return line + QLatin1Char('.');
}

} // namespace ojn
