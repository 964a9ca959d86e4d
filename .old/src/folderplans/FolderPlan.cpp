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
        line = QStringLiteral("%1 the song list %2").arg(done ? QStringLiteral("updated") : QStringLiteral("update"), to);
        break;
    }
    if (!done && !step.why.isEmpty())
        line += QStringLiteral(" (%1)").arg(step.why);
    return line + QLatin1Char('.');
}

QString describeTakenBack(const QString &path, const PlanStep &failed, const QString &folder, const QString &removeError)
{
    const auto isA = [&failed](const char *ending) { return failed.to.endsWith(QLatin1String(ending), Qt::CaseInsensitive); };
    const QString what = isA(".ojn") ? QStringLiteral("the chart") : isA(".ojm") ? QStringLiteral("the OJM") : shownIn(failed.to, folder);
    QString verb;
    switch (failed.kind) {
    case StepKind::Copy: verb = QStringLiteral("copied"); break;
    case StepKind::Link: verb = QStringLiteral("given its second name"); break;
    case StepKind::Write: verb = QStringLiteral("written"); break;
    case StepKind::Rename: verb = QStringLiteral("moved"); break;
    case StepKind::Remove:
    case StepKind::ListUpdate: verb = QStringLiteral("done"); break;
    }
    if (!removeError.isEmpty())
        return QStringLiteral("%1 is left: %2 could not be %3, and it could not be removed again: %4")
            .arg(shownIn(path, folder), what, verb, removeError);
    return QStringLiteral("removed %1 again: %2 could not be %3.").arg(shownIn(path, folder), what, verb);
}

int FolderPlan::chartFiles() const
{
    int files = 0;
    for (const QStringList &unit : units)
        files += int(unit.size());
    return files;
}

int FolderPlan::addUnit(const QStringList &charts)
{
    units.append(charts);
    return int(units.size()) - 1;
}

} // namespace ojn
