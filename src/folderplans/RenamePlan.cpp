#include "folderplans/RenamePlan.h"

#include "folderplans/ChartMoves.h"
#include "folderplans/FolderState.h"
#include "fileio/FolderEntries.h"
#include "folderchecks/ChartBatchCheck.h"
#include "model/HeaderFields.h"
#include "model/SongId.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace ojn {
namespace {

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

// The song list's entries, to tell in one look whether it holds a header's
// song only with another OJM name: a folder of thousands of charts would
// otherwise compare each with every entry.
class ListedSongs {
public:
    explicit ListedSongs(const SongList &list)
    {
        for (const QByteArray &entry : list.entries) {
            m_entries.insert(entry);
            m_butOjmName.insert(withoutOjmName(entry));
        }
    }

    [[nodiscard]] bool onlyOjmNameDiffers(const QByteArray &header) const
    {
        return !m_entries.contains(header) && m_butOjmName.contains(withoutOjmName(header));
    }

private:
    static QByteArray withoutOjmName(QByteArray bytes)
    {
        const HeaderFieldInfo &ojm = fieldInfo(HeaderField::OjmFile);
        if (bytes.size() >= ojm.offset + ojm.slotLength)
            bytes.replace(ojm.offset, ojm.slotLength, QByteArray(ojm.slotLength, '\0'));
        return bytes;
    }

    QSet<QByteArray> m_entries, m_butOjmName;
};

} // namespace

Result<FolderPlan> planRename(const QString &folder, const PlanSettings &settings, const QStringList &only)
{
    return planRename(listFolder(folder), settings, only);
}

Result<FolderPlan> planRename(const FolderListing &listing, const PlanSettings &settings, const QStringList &only)
{
    FolderState state = readFolderState(listing, settings.listPath, FolderReads::Names);
    if (!state.error.isEmpty())
        return Failure{state.error};
    FolderPlan plan = emptyPlanFor(state, settings.codec);
    // The headers of the charts chosen only; the others' are read below
    // only when a header changes, for the OJM names they still hold.
    QStringList wanted;
    for (const QString &path : only) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        const QString name = fileNameOfPath(absolute);
        if (absolute == state.names.pathOf(name) && state.names.isChartFile(name))
            wanted << absolute;
    }
    wanted.sort();
    wanted.removeDuplicates();
    if (only.isEmpty())
        wanted = state.names.chartFiles();
    state.charts = readChartHeaders(wanted);
    const std::optional<ListedSongs> listed = state.list ? std::optional<ListedSongs>(*state.list) : std::nullopt;

    QList<ChartMove> moves;
    QSet<QString> kept;
    QList<ListEntryEdit> entriesDone;
    bool rewrites = false;
    for (const ChartScan &chart : std::as_const(state.charts)) {
        const QString name = nameOf(chart.path);
        const bool left = isTutorial(name);
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
        move.rewrite = !isUsualOjmName(headerOjm, id);
        move.encrypted = chart.encrypted;
        if (!move.rewrite) {
            kept.insert(headerOjm.toCaseFolded());
            if (move.target.compare(name, Qt::CaseInsensitive) == 0) {
                // Already named for its ID; a run killed after rewriting it
                // where it is left its entry naming the old OJM.
                if (listed && listed->onlyOjmNameDiffers(chart.header->bytes))
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
            rewrites = true;
        }
        moves << move;
    }
    if (rewrites && !only.isEmpty()) {
        const QSet<QString> chosen(wanted.cbegin(), wanted.cend());
        QStringList others = state.names.chartFiles();
        others.removeIf([&](const QString &path) { return chosen.contains(path); });
        for (const ChartScan &other : readChartHeaders(others)) {
            if (other.header)
                kept.insert(ojmNameIn(*other.header, settings.codec).toCaseFolded());
        }
    }
    addChartMoves(moves, state, kept, plan, settings.listPath, entriesDone);
    return plan;
}

} // namespace ojn
