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
        plan.notes << QStringLiteral("%1 already holds song ID %2 under its name.").arg(name).arg(newId);
        return plan;
    }
    const Result<QByteArray> newBytes = chartWithSongId(chart->path, qint32(newId), settings.codec);
    if (!newBytes.ok())
        return refuse(newBytes.error());
    const QString ojm = findOjm(state.names, name, headerOjm);

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
    if (state.list) {
        for (const QByteArray &entry : state.list->entries) {
            if (songIdOfEntry(entry) == newId && entry == newBytes.value().left(int(SongListEntrySize))) {
                holders.removeOne(QStringLiteral("the song list"));
                break;
            }
        }
    }
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
    move.newHeader = newBytes.value().left(int(SongListEntrySize));
    move.why = QStringLiteral("song ID %1 becomes %2").arg(header.songId).arg(newId);
    const qint32 oldId = header.songId;
    planChartMoves({move}, state, kept, plan, settings.listPath, [&](const QList<ChartMove> &accepted) -> std::optional<SongList> {
        if (accepted.isEmpty() || !state.list)
            return std::nullopt;
        SongList list = *state.list;
        if (list.entries.contains(move.newHeader))
            return std::nullopt;
        // The old entry stays for another chart that still holds the old ID.
        const bool oldStillHeld = std::any_of(state.charts.cbegin(), state.charts.cend(), [&](const ChartScan &other) {
            return other.header && other.header->songId == oldId && other.path != chart->path && nameOf(other.path) != targetOnDisk;
        });
        const auto old = std::find_if(list.entries.begin(), list.entries.end(),
                                      [&](const QByteArray &entry) { return songIdOfEntry(entry) == oldId; });
        if (old != list.entries.end() && !oldStillHeld)
            *old = move.newHeader;
        else
            list.entries.append(move.newHeader);
        return list;
    });
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
    for (const ChartScan &chart : state.charts) {
        const QString name = nameOf(chart.path);
        const bool left = (!chosen.isEmpty() && !chosen.contains(chart.path))
            || name.compare(QLatin1String("Tutorial.ojn"), Qt::CaseInsensitive) == 0;
        if (!chart.header) {
            if (!left)
                plan.refused << PlanRefusal{chart.path, chart.unreadableReason()};
            continue;
        }
        const QString headerOjm = ojmNameIn(*chart.header, settings.codec);
        const qint64 id = chart.header->songId;
        if (left || id < 0) {
            if (!left)
                plan.refused << PlanRefusal{chart.path, QStringLiteral("its song ID %1 cannot make a file name.").arg(id)};
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
            if (move.target.compare(name, Qt::CaseInsensitive) == 0)
                continue; // already named for its ID
            move.why = QStringLiteral("named for its song ID %1").arg(id);
        } else {
            move.ojm = findOjm(state.names, name, headerOjm);
            move.why = QStringLiteral("named for its song ID %1, its header naming %2").arg(id).arg(usualOjmName(id));
        }
        moves << move;
    }
    planChartMoves(moves, state, kept, plan, settings.listPath, [&](const QList<ChartMove> &accepted) -> std::optional<SongList> {
        if (!state.list)
            return std::nullopt;
        SongList list = *state.list;
        QList<QByteArray> appended;
        for (const ChartMove &move : accepted) {
            if (!move.rewrite)
                continue;
            const Result<QByteArray> bytes = chartWithSongId(move.path, qint32(move.id), TextCodec(plan.codePage));
            if (!bytes.ok())
                continue;
            const QByteArray entry = bytes.value().left(int(SongListEntrySize));
            bool listed = false;
            for (QByteArray &old : list.entries) {
                if (songIdOfEntry(old) == move.id) {
                    old = entry;
                    listed = true;
                }
            }
            if (!listed)
                appended << entry;
        }
        std::stable_sort(appended.begin(), appended.end(),
                         [](const QByteArray &a, const QByteArray &b) { return songIdOfEntry(a) < songIdOfEntry(b); });
        list.entries << appended;
        if (list.entries == state.list->entries)
            return std::nullopt;
        return list;
    });
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
