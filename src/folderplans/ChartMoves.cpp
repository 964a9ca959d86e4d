#include "folderplans/ChartMoves.h"

#include "folderplans/ChartRewrite.h"
#include "fileio/FileContent.h"
#include "model/HeaderFields.h"
#include "model/SongId.h"

#include <QFileInfo>
#include <QMap>

#include <algorithm>

namespace ojn {
namespace {

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

PlanStep step(StepKind kind, const QString &from, const QString &to, const QString &why, int unit)
{
    PlanStep s;
    s.kind = kind;
    s.from = from;
    s.to = to;
    s.why = why;
    s.unit = unit;
    return s;
}

} // namespace

QString chartNameFor(const QString &current, qint64 id)
{
    // A chart's version ("_2" of "o2ma100_2.ojn") stays with it. Plain
    // string work: a static QRegularExpression run on a worker thread
    // kept the Windows process from ending.
    QString version;
    if (songIdFromFileName(current)) {
        if (const qsizetype underscore = current.indexOf(QLatin1Char('_')); underscore > 0)
            version = current.sliced(underscore, current.size() - 4 - underscore);
    }
    return QLatin1String("o2ma") + QString::number(id) + version + QLatin1String(".ojn");
}

bool isTutorial(const QString &fileName)
{
    return fileName.compare(QLatin1String("Tutorial.ojn"), Qt::CaseInsensitive) == 0;
}

bool equalButOjmName(QByteArrayView a, QByteArrayView b, qsizetype from)
{
    const HeaderFieldInfo &ojm = fieldInfo(HeaderField::OjmFile);
    const qsizetype at = ojm.offset - from, end = at + ojm.slotLength;
    return a.size() == b.size() && a.size() >= end && a.first(at) == b.first(at) && a.sliced(end) == b.sliced(end);
}

QList<ChartMove> addChartMoves(QList<ChartMove> moves, const FolderState &state, QSet<QString> ojmsKept, FolderPlan &plan,
                               const std::optional<QString> &listPath, const QList<ListEntryEdit> &entriesDone)
{
    const FolderListing &names = state.names;
    QList<ChartMove> accepted;
    QSet<QString> targetsGiven; // case-folded chart and OJM names this plan makes
    for (ChartMove &move : moves) {
        const QString name = nameOf(move.path);
        const QString usual = usualOjmName(move.id);
        // A refused chart keeps naming its OJM.
        auto refuse = [&](const QString &reason) {
            plan.refused << PlanRefusal{move.path, reason};
            if (!move.ojm.isEmpty())
                ojmsKept.insert(move.ojm.toCaseFolded());
        };
        if (move.rewrite && move.encrypted) {
            refuse(QStringLiteral("it is encrypted, so its header cannot be rewritten to name %1.").arg(usual));
            continue;
        }
        const bool renamed = !sameName(move.target, name);
        if (const QString unclear = names.ambiguity(move.target, QStringLiteral("its new name %1").arg(move.target));
            renamed && !unclear.isEmpty()) {
            refuse(unclear);
            continue;
        }
        if (const QString unclear = names.ambiguity(usual, QStringLiteral("the OJM's new name %1").arg(usual));
            move.rewrite && !sameName(move.ojm, usual) && !unclear.isEmpty()) {
            refuse(unclear);
            continue;
        }
        const QString targetOnDisk = names.find(move.target);
        bool targetDone = false;
        if (renamed && !targetOnDisk.isEmpty()) {
            const QString there = names.pathOf(targetOnDisk);
            targetDone = move.rewrite ? fileHolds(there, [&] {
                const Result<QByteArray> bytes = chartWithSongId(move.path, qint32(move.id), TextCodec(plan.codePage));
                return bytes.ok() ? bytes.value() : QByteArray();
            }()) : sameBytes(move.path, there);
            if (!targetDone) {
                refuse(QStringLiteral("its new name %1 is taken by another file.").arg(targetOnDisk));
                continue;
            }
        }
        if (targetsGiven.contains(move.target.toCaseFolded())) {
            refuse(QStringLiteral("another chart gets the name %1.").arg(move.target));
            continue;
        }
        if (move.rewrite) {
            const QString usualOnDisk = names.find(usual);
            if (move.ojm.isEmpty() && !(targetDone && !usualOnDisk.isEmpty())) {
                refuse(QStringLiteral("its OJM is not in the folder."));
                continue;
            }
            if (!move.ojm.isEmpty() && !sameName(move.ojm, usual) && !usualOnDisk.isEmpty()
                && !targetsGiven.contains(usual.toCaseFolded())
                && !sameBytes(names.pathOf(move.ojm), names.pathOf(usualOnDisk))) {
                refuse(QStringLiteral("the OJM's new name %1 is taken by another file.").arg(usualOnDisk));
                continue;
            }
        }
        targetsGiven.insert(move.target.toCaseFolded());
        if (move.rewrite)
            targetsGiven.insert(usual.toCaseFolded());
        accepted << move;
    }

    // Per OJM (moves that rewrite no header leave their OJM alone).
    QMap<QString, QList<qsizetype>> byOjm;
    for (qsizetype i = 0; i < accepted.size(); ++i)
        byOjm[accepted[i].rewrite ? accepted[i].ojm.toCaseFolded() : QStringLiteral("\n%1").arg(i)].append(i);

    QList<PlanStep> late;
    QList<std::pair<qint64, ListEntryEdit>> entries; // by the song ID each chart gets
    for (auto group = byOjm.cbegin(); group != byOjm.cend(); ++group) {
        const QList<qsizetype> &members = group.value();
        QStringList charts;
        for (const qsizetype i : members)
            charts << accepted[i].path;
        const int unit = plan.addUnit(charts);
        const ChartMove &first = accepted[members.first()];
        if (!first.rewrite) {
            plan.steps << step(StepKind::Rename, first.path, names.pathOf(first.target), first.why, unit);
            continue;
        }
        const QString ojm = first.ojm;
        // The OJM's new names, and whether a chart under each is rewritten in place.
        QMap<QString, bool> ojmTargets;
        bool ojmKept = !ojm.isEmpty() && ojmsKept.contains(ojm.toCaseFolded());
        for (const qsizetype i : members) {
            const ChartMove &move = accepted[i];
            const QString usual = usualOjmName(move.id);
            if (ojm.isEmpty() || sameName(usual, ojm)) {
                ojmKept = true;
                continue;
            }
            ojmTargets[usual] = ojmTargets.value(usual) || sameName(move.target, nameOf(move.path));
        }
        PlanStep renameOjm;
        QString linkedAs; // the OJM's second name, its old one removed last
        for (auto target = ojmTargets.cbegin(); target != ojmTargets.cend(); ++target) {
            // An earlier run's name in another case is that name, never a second file.
            const QString onDisk = names.find(target.key());
            const QString to = names.pathOf(onDisk.isEmpty() ? target.key() : onDisk);
            const bool lastName = std::next(target) == ojmTargets.cend() && !ojmKept;
            // Planned even when an earlier run made the name: the run then
            // checks that it still holds the OJM's bytes before any chart
            // names it or the old name goes.
            if (!lastName) {
                plan.steps << step(StepKind::Copy, names.pathOf(ojm), to, QStringLiteral("another chart still names %1").arg(ojm), unit);
            } else if (target.value()) {
                // A chart rewritten where it is names the new name at once:
                // both names stand until it is on disk.
                plan.steps << step(StepKind::Link, names.pathOf(ojm), to, QStringLiteral("the chart names it while it is rewritten"), unit);
                linkedAs = QFileInfo(to).fileName();
            } else {
                renameOjm = step(StepKind::Rename, names.pathOf(ojm), to, QStringLiteral("the music of song ID %1").arg(accepted[members.first()].id), unit);
            }
        }
        for (const qsizetype i : members) {
            const ChartMove &move = accepted[i];
            const bool inPlace = sameName(move.target, nameOf(move.path));
            const QString targetOnDisk = names.find(move.target);
            const QString to = inPlace ? move.path : names.pathOf(targetOnDisk.isEmpty() ? move.target : targetOnDisk);
            PlanStep write = step(StepKind::Write, move.path, to, move.why, unit);
            write.songId = qint32(move.id);
            write.inPlace = inPlace;
            plan.steps << write;
            entries.append({move.id, ListEntryEdit{unit, to, move.entryReplaces}});
            if (!inPlace)
                late << step(StepKind::Remove, move.path, to, QStringLiteral("it lives on as %1").arg(move.target), unit);
        }
        if (renameOjm.unit >= 0)
            plan.steps << renameOjm;
        if (!linkedAs.isEmpty())
            late << step(StepKind::Remove, names.pathOf(ojm), names.pathOf(linkedAs), QStringLiteral("it lives on as %1").arg(linkedAs), unit);
    }
    if (listPath && state.list && !(entries.isEmpty() && entriesDone.isEmpty())) {
        PlanStep update = step(StepKind::ListUpdate, QString(), *listPath, QStringLiteral("the entries of the charts whose header changed"), -1);
        update.entries = entriesDone;
        std::stable_sort(entries.begin(), entries.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        for (const auto &[id, entry] : std::as_const(entries))
            update.entries << entry;
        plan.steps << update;
    }
    plan.steps << late;
    return accepted;
}

} // namespace ojn
