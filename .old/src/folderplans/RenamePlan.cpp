#include "folderplans/FolderPlans.h"

#include "folderplans/ChartRewrite.h"
#include "folderplans/FolderState.h"
#include "folderplans/MovePlan.h"
#include "folderplans/PlanSupport.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace ojn {
namespace {

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

// o2ma<ID>.ojn, keeping a revision's "_<v>".
QString chartNameFor(const QString &current, qint64 id)
{
    static const QRegularExpression revision(QStringLiteral("^o2ma\\d+(_.+)\\.ojn$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = revision.match(current);
    return QStringLiteral("o2ma%1%2.ojn").arg(id).arg(match.hasMatch() ? match.captured(1) : QString());
}

const ChartScan *chartNamed(const FolderState &state, const QString &fileName)
{
    for (const ChartScan &chart : state.charts) {
        if (nameOf(chart.path) == fileName)
            return &chart;
    }
    return nullptr;
}

bool isTutorial(const QString &fileName)
{
    return fileName.compare(QLatin1String("Tutorial.ojn"), Qt::CaseInsensitive) == 0;
}

// The bytes of a header's OJM name, the one field a rename changes.
constexpr qsizetype OjmNameAt = 236, OjmNameEnd = 268;

bool equalBut(const QByteArray &a, const QByteArray &b, qsizetype from, qsizetype to)
{
    return a.size() == b.size() && a.left(from) == b.left(from) && a.mid(to) == b.mid(to);
}

// Whether the list holds `header`'s song only with another OJM name.
bool onlyOjmNameDiffers(const SongList &list, const QByteArray &header)
{
    if (list.entries.contains(header))
        return false;
    return std::any_of(list.entries.cbegin(), list.entries.cend(),
                       [&](const QByteArray &entry) { return equalBut(entry, header, OjmNameAt, OjmNameEnd); });
}

// The song whose entry a renumber of this chart, rewritten where it is,
// would have replaced: an entry equal to its header but for the song ID and
// the OJM name, whose song ID no chart of the folder holds any more.
std::optional<qint32> entryRenumbered(const FolderState &state, const ChartHeader &header)
{
    for (const QByteArray &entry : state.list->entries) {
        const qint32 id = songIdOfEntry(entry);
        if (id == header.songId || !equalBut(entry.mid(4), header.bytes.mid(4), OjmNameAt - 4, OjmNameEnd - 4))
            continue;
        const bool held = std::any_of(state.charts.cbegin(), state.charts.cend(),
                                      [id](const ChartScan &chart) { return chart.header && chart.header->songId == id; });
        if (!held)
            return id;
    }
    return std::nullopt;
}

QString extraSectionsNote(const FolderState &state)
{
    if (!state.list || state.list->extraSections.isEmpty())
        return QString();
    return QStringLiteral("The song list's extra sections are carried byte for byte; they may still name the old song IDs.");
}

} // namespace

Result<FolderPlan> planRenumber(const QString &chartPath, qint64 newId, const PlanSettings &settings)
{
    if (newId < 0 || newId > LastSongId)
        return Failure{QStringLiteral("a song ID is a number from 0 to %1.").arg(LastSongId)};
    const QFileInfo file(chartPath);
    const FolderState state = readFolderState(file.absolutePath(), settings.listPath);
    if (!state.error.isEmpty())
        return Failure{state.error};
    FolderPlan plan;
    plan.folder = state.names.folder;
    plan.codePage = settings.codec.codePage();
    auto refuse = [&](const QString &reason) {
        plan.refused << PlanRefusal{chartPath, reason};
        return plan;
    };
    const ChartScan *chart = chartNamed(state, file.fileName());
    if (!chart)
        return refuse(file.exists() ? QStringLiteral("it is not a chart (.ojn) file.") : QStringLiteral("there is no such file."));
    if (isTutorial(file.fileName()))
        return refuse(QStringLiteral("the game finds its tutorial by the name %1, so it keeps its name and song ID.").arg(file.fileName()));
    if (!chart->header)
        return refuse(chart->unreadableReason());
    if (chart->encrypted)
        return refuse(QStringLiteral("it is encrypted, so its header cannot be rewritten."));
    const ChartHeader &header = *chart->header;
    const QString name = nameOf(chart->path);
    const QString target = chartNameFor(name, newId);
    const QString usual = usualOjmName(newId);
    const QString headerOjm = ojmNameIn(header, settings.codec);
    if (header.songId == newId && name.compare(target, Qt::CaseInsensitive) == 0
        && headerOjm.compare(usual, Qt::CaseInsensitive) == 0) {
        plan.skipped << QStringLiteral("%1 already holds song ID %2 under its name.").arg(name).arg(newId);
        // A run killed after the chart was rewritten where it is, before
        // the list: its entry is brought in step now.
        if (settings.listPath && state.list && !state.list->entries.contains(header.bytes)) {
            PlanStep update;
            update.kind = StepKind::ListUpdate;
            update.to = *settings.listPath;
            update.why = QStringLiteral("the entry of %1").arg(name);
            update.entries << ListEntryEdit{-1, chart->path, entryRenumbered(state, header).value_or(qint32(newId))};
            plan.steps << update;
        }
        return plan;
    }
    const Result<QByteArray> newBytes = chartWithSongId(chart->path, qint32(newId), settings.codec);
    if (!newBytes.ok())
        return refuse(newBytes.error());
    QString unclear;
    const QString ojm = findOjm(state.names, name, headerOjm, nullptr, &unclear);
    if (unclear.isEmpty())
        unclear = state.names.ambiguity(target, QStringLiteral("its new name %1").arg(target));
    if (unclear.isEmpty())
        unclear = state.names.ambiguity(usual, QStringLiteral("the OJM's new name %1").arg(usual));
    if (!unclear.isEmpty())
        return refuse(unclear);

    // Free but for what this chart holds itself and what an earlier,
    // interrupted run of the same renumber already made.
    const QString targetOnDisk = state.names.find(target);
    const bool targetDone = !targetOnDisk.isEmpty() && targetOnDisk != name
        && fileHolds(state.names.pathOf(targetOnDisk), newBytes.value());
    const QString usualOnDisk = state.names.find(usual);
    const bool ojmDone = !usualOnDisk.isEmpty()
        && (ojm.isEmpty() ? targetDone : (ojm == usualOnDisk || sameBytes(state.names.pathOf(ojm), state.names.pathOf(usualOnDisk))));
    QStringList holders = state.holders.value(newId);
    holders.removeAll(name);
    if (targetDone)
        holders.removeAll(targetOnDisk);
    if (ojmDone)
        holders.removeAll(usualOnDisk);
    const QByteArray newHeader = newBytes.value().left(int(SongListEntrySize));
    if (state.list && state.list->entries.contains(newHeader))
        holders.removeOne(QStringLiteral("the song list"));
    if (!holders.isEmpty())
        return refuse(QStringLiteral("song ID %1 is not free in the folder: %2 holds it.").arg(newId).arg(quotedList(holders)));

    QSet<QString> kept;
    for (const ChartScan &other : state.charts) {
        if (other.header && other.path != chart->path && nameOf(other.path) != targetOnDisk)
            kept.insert(ojmNameIn(*other.header, settings.codec).toCaseFolded());
    }
    ChartMove move;
    move.path = chart->path;
    move.id = newId;
    move.target = target;
    move.rewrite = true;
    move.ojm = ojm;
    move.why = QStringLiteral("song ID %1 becomes %2").arg(header.songId).arg(newId);
    // The entry stays where it stands, but for another chart that still
    // holds the old ID: the new one is appended then.
    const bool oldStillHeld = std::any_of(state.charts.cbegin(), state.charts.cend(), [&](const ChartScan &other) {
        return other.header && other.header->songId == header.songId && other.path != chart->path && nameOf(other.path) != targetOnDisk;
    });
    if (!oldStillHeld)
        move.entryReplaces = header.songId;
    planChartMoves({move}, state, kept, plan, settings.listPath);
    if (const QString note = extraSectionsNote(state); !note.isEmpty() && !plan.steps.isEmpty() && settings.listPath)
        plan.notes << note;
    return plan;
}

Result<FolderPlan> planRename(const QString &folder, const PlanSettings &settings, const QStringList &only)
{
    const FolderState state = readFolderState(folder, settings.listPath, false);
    if (!state.error.isEmpty())
        return Failure{state.error};
    FolderPlan plan;
    plan.folder = state.names.folder;
    plan.codePage = settings.codec.codePage();
    QSet<QString> chosen;
    for (const QString &path : only)
        chosen.insert(QFileInfo(path).absoluteFilePath());

    QList<ChartMove> moves;
    QSet<QString> kept;
    QList<ListEntryEdit> entriesDone;
    for (const ChartScan &chart : state.charts) {
        const QString name = nameOf(chart.path);
        const bool left = (!chosen.isEmpty() && !chosen.contains(chart.path)) || isTutorial(name);
        if (!chart.header) {
            if (!left)
                plan.refused << PlanRefusal{chart.path, chart.unreadableReason()};
            continue;
        }
        const QString headerOjm = ojmNameIn(*chart.header, settings.codec);
        const qint64 id = chart.header->songId;
        if (left || id < 0) {
            if (!left)
                plan.refused << PlanRefusal{chart.path, QStringLiteral("its song ID %1 is invalid, so it cannot make a file name.").arg(id)};
            kept.insert(headerOjm.toCaseFolded());
            continue;
        }
        ChartMove move;
        move.path = chart.path;
        move.id = id;
        move.target = chartNameFor(name, id);
        move.rewrite = headerOjm.compare(usualOjmName(id), Qt::CaseInsensitive) != 0;
        move.encrypted = chart.encrypted;
        if (!move.rewrite) {
            kept.insert(headerOjm.toCaseFolded());
            if (move.target.compare(name, Qt::CaseInsensitive) == 0) {
                // Already named for its ID; a run killed after rewriting it
                // where it is left its entry naming the old OJM.
                if (state.list && onlyOjmNameDiffers(*state.list, chart.header->bytes))
                    entriesDone << ListEntryEdit{-1, chart.path, qint32(id)};
                continue;
            }
            move.why = QStringLiteral("named for its song ID %1").arg(id);
        } else {
            QString unclear;
            move.ojm = findOjm(state.names, name, headerOjm, nullptr, &unclear);
            if (!unclear.isEmpty()) {
                plan.refused << PlanRefusal{chart.path, unclear};
                continue;
            }
            move.why = QStringLiteral("named for its song ID %1, its header naming %2").arg(id).arg(usualOjmName(id));
            move.entryReplaces = qint32(id);
        }
        moves << move;
    }
    planChartMoves(moves, state, kept, plan, settings.listPath, entriesDone);
    return plan;
}

std::optional<qint64> lowestFreeSongId(const QString &folder, qint64 from, const PlanSettings &settings)
{
    const FolderState state = readFolderState(folder, settings.listPath);
    if (!state.error.isEmpty())
        return std::nullopt;
    for (qint64 id = std::max<qint64>(from, 0); id <= LastSongId; ++id) {
        if (!state.holders.contains(id))
            return id;
    }
    return std::nullopt;
}

} // namespace ojn
