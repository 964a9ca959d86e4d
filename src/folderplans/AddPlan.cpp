#include "folderplans/AddPlan.h"

#include "folderplans/ChartRewrite.h"
#include "fileio/FileContent.h"
#include "folderplans/FolderState.h"
#include "model/SongId.h"
#include "text/MessageText.h"
#include "folderchecks/ChartBatchCheck.h"
#include "fileio/NotRegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QMultiHash>
#include <QSet>

#include <algorithm>

namespace ojn {
namespace {

// Where a chart of an earlier, interrupted or repeated run of the same add
// lies: the ID it got, and which of its two files are already there.
struct EarlierAdd {
    qint64 id = -1;
    bool chartThere = false;
    bool ojmThere = false;
    const ChartScan *chart = nullptr; // when it is there
    QString unclear;                   // why its OJM's name cannot be looked up
};

// A chart this run adds, or found added by an earlier one, to know it
// again when it is named twice or comes in two packs.
struct AddedChart {
    QString path;
    qint64 fileSize = 0;
    QByteArray key;
    qint64 id = 0;
    bool earlier = false;
    int unit = -1; // the unit that adds it, if any
};

class AddPlanner {
public:
    AddPlanner(const QString &folder, const AddSettings &settings, FolderState state)
        : m_settings(settings), m_state(std::move(state)), m_plan(emptyPlanFor(m_state, settings.codec))
    {
        for (auto it = m_state.holders.cbegin(); it != m_state.holders.cend(); ++it)
            m_highest = std::max(m_highest, it.key());
        m_start = settings.firstId ? *settings.firstId : (m_highest < 0 ? FirstOfficialSongId : m_highest + 1);
        for (qsizetype i = 0; i < m_state.charts.size(); ++i) {
            if (const std::optional<ChartHeader> &header = m_state.charts[i].header)
                m_byTitle.insert(keyOf(*header), i);
        }
        for (auto it = m_state.holders.cbegin(); it != m_state.holders.cend(); ++it) {
            if (it.value().size() == 1 && songIdFromOjmName(it.value().first()) == it.key())
                m_loneOjms.append({it.key(), it.value().first()});
        }
        (void)folder;
    }

    void add(const QString &path)
    {
        const QFileInfo source(path);
        const QString shownName = QDir::toNativeSeparators(path);
        if (QDir(source.absolutePath()) == QDir(m_state.names.absoluteFolder())) {
            refuse(path, QStringLiteral("it is already in the folder; rename names a chart of the folder for its ID."));
            return;
        }
        const QList<ChartScan> scans = checkChartFiles({source.absoluteFilePath()}, CheckDepth::Header);
        const ChartScan &scan = scans.first();
        if (!scan.header) {
            refuse(path, scan.unreadableReason());
            return;
        }
        const ChartHeader &header = *scan.header;
        if (header.songId < 0) {
            refuse(path, QStringLiteral("its song ID %1 is invalid: a song ID is a number from 0 to %2.").arg(header.songId).arg(LastSongId));
            return;
        }
        if (const AddedChart *twin = addedBefore(scan)) {
            m_plan.skipped << (twin->earlier ? QStringLiteral("%1: already added as o2ma%2.ojn.")
                                             : QStringLiteral("%1: already added in this run as o2ma%2.ojn."))
                                  .arg(shownName).arg(twin->id);
            if (twin->unit >= 0)
                m_plan.namedAgain[twin->unit] << path;
            return;
        }
        const FolderListing &sourceNames = namesOf(source.absolutePath());
        const QString headerOjm = ojmNameIn(header, m_settings.codec);
        QStringList lookedFor;
        QString unclear;
        const QString ojmName = findOjm(sourceNames, source.fileName(), headerOjm, &lookedFor, &unclear);
        if (!unclear.isEmpty()) {
            refuse(path, unclear);
            return;
        }
        if (ojmName.isEmpty()) {
            refuse(path, QStringLiteral("its OJM is not beside it: looked for %1.").arg(quotedList(lookedFor)));
            return;
        }
        const QString ojm = sourceNames.pathOf(ojmName);
        // Copying a named pipe would wait for ever.
        if (const QString why = notRegularFileReason(ojm); !why.isEmpty()) {
            refuse(path, QStringLiteral("its OJM %1 cannot be read: %2.").arg(ojmName, why));
            return;
        }

        const EarlierAdd earlier = findEarlierAdd(scan, ojm, headerOjm);
        if (!earlier.unclear.isEmpty()) {
            refuse(path, earlier.unclear);
            return;
        }
        qint64 id = earlier.id;
        if (earlier.chartThere) {
            m_taken.insert(id);
            if (earlier.ojmThere) {
                remember(scan, id, true, -1);
                m_plan.skipped << QStringLiteral("%1: already added as o2ma%2.ojn.").arg(shownName).arg(id);
                // Its entry too, when a run was stopped before the list.
                if (m_state.list && !m_state.list->entries.contains(earlier.chart->header->bytes))
                    m_entries.append({id, ListEntryEdit{-1, earlier.chart->path, qint32(id)}});
                return;
            }
            // Its music is missing: the chart counts as added once that is there.
            const int unit = m_plan.addUnit({path});
            remember(scan, id, true, unit);
            m_plan.steps << copyStep(ojm, m_state.names.pathOf(usualOjmName(id)),
                                     QStringLiteral("the music of %1, added before as o2ma%2.ojn").arg(source.fileName()).arg(id), unit);
            m_entries.append({id, ListEntryEdit{unit, earlier.chart->path, qint32(id)}});
            return;
        }
        if (id < 0) {
            if (isFree(header.songId))
                id = header.songId;
            else if (const std::optional<qint64> free = m_state.lowestFreeId(m_start, m_taken))
                id = *free;
            else {
                refuse(path, noFreeId());
                return;
            }
        }
        const bool sameId = id == header.songId && isUsualOjmName(headerOjm, id);
        if (scan.encrypted && !sameId) {
            refuse(path, QStringLiteral("it is encrypted, so its header cannot be rewritten to song ID %1 and OJM %2.")
                             .arg(id).arg(usualOjmName(id)));
            return;
        }
        m_taken.insert(id);
        const int unit = m_plan.addUnit({path});
        remember(scan, id, false, unit);
        const QString ojmOnDisk = m_state.names.find(usualOjmName(id)); // an earlier run's, in any case
        const QString ojmTarget = m_state.names.pathOf(ojmOnDisk.isEmpty() ? usualOjmName(id) : ojmOnDisk);
        const QString chartTarget = m_state.names.pathOf(QStringLiteral("o2ma%1.ojn").arg(id));
        // The music first: the chart appears in the game whole, with it.
        // An earlier run's copy is checked again when the step runs.
        m_plan.steps << copyStep(ojm, ojmTarget, QStringLiteral("the music of %1").arg(source.fileName()), unit);
        if (sameId) {
            m_plan.steps << copyStep(path, chartTarget, QStringLiteral("its song ID %1 is free").arg(id), unit);
        } else {
            PlanStep write;
            write.kind = StepKind::Write;
            write.from = source.absoluteFilePath();
            write.to = chartTarget;
            write.songId = qint32(id);
            write.unit = unit;
            write.why = header.songId == id ? QStringLiteral("its OJM name becomes %1").arg(usualOjmName(id))
                                            : QStringLiteral("song ID %1 is taken; it gets %2").arg(header.songId).arg(id);
            m_plan.steps << write;
        }
        m_entries.append({id, ListEntryEdit{unit, chartTarget, qint32(id)}});
    }

    FolderPlan finish()
    {
        if (m_settings.listPath && m_state.list && !m_entries.isEmpty()) {
            PlanStep update;
            update.kind = StepKind::ListUpdate;
            update.to = *m_settings.listPath;
            update.why = QStringLiteral("the entries of the charts added");
            // Appended in song ID order, as a sync appends them.
            std::stable_sort(m_entries.begin(), m_entries.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
            for (const auto &[id, entry] : std::as_const(m_entries))
                update.entries << entry;
            m_plan.steps << update;
        }
        return std::move(m_plan);
    }

private:
    static PlanStep copyStep(const QString &from, const QString &to, const QString &why, int unit)
    {
        PlanStep step;
        step.kind = StepKind::Copy;
        step.from = QFileInfo(from).absoluteFilePath();
        step.to = to;
        step.why = why;
        step.unit = unit;
        return step;
    }

    void refuse(const QString &path, const QString &reason) { m_plan.refused << PlanRefusal{path, reason}; }

    const FolderListing &namesOf(const QString &folder)
    {
        auto found = m_sourceFolders.find(folder);
        if (found == m_sourceFolders.end())
            found = m_sourceFolders.insert(folder, listFolder(folder));
        return found.value();
    }

    [[nodiscard]] bool isFree(qint64 id) const { return !m_taken.contains(id) && !m_state.holders.contains(id); }

    // Free IDs are looked for from the start given, or above the highest
    // the folder holds: with that one the last there is, none is left.
    [[nodiscard]] QString noFreeId() const
    {
        if (m_settings.firstId || m_highest < 0)
            return QStringLiteral("no song ID from %1 up is free in the folder.").arg(m_start);
        const QString advice = m_settings.firstIdAdvice.isEmpty() ? QString() : QStringLiteral("; ") + m_settings.firstIdAdvice;
        return QStringLiteral("no song ID above %1, the highest in the folder, is free%2.").arg(m_highest).arg(advice);
    }

    void remember(const ChartScan &scan, qint64 id, bool earlier, int unit)
    {
        m_added.append({scan.path, scan.fileSize, keyOf(*scan.header), id, earlier, unit});
    }

    // The chart of this run that `scan` is, by its bytes: the same file
    // named again (through another path or a link) or a copy of it.
    [[nodiscard]] const AddedChart *addedBefore(const ChartScan &scan) const
    {
        const QByteArray key = keyOf(*scan.header);
        for (const AddedChart &added : m_added) {
            if (added.fileSize == scan.fileSize && added.key == key && sameBytes(added.path, scan.path))
                return &added;
        }
        return nullptr;
    }

    // The chart's files from an earlier run: a chart of the folder named
    // o2ma<N>.ojn holding exactly the bytes this one would be written as
    // under N (its own, or the rewrite), or else an OJM o2ma<N>.ojm that no
    // chart holds, holding exactly this chart's music.
    EarlierAdd findEarlierAdd(const ChartScan &scan, const QString &ojm, const QString &headerOjm) const
    {
        EarlierAdd earlier;
        const ChartHeader &header = *scan.header;
        const QByteArray key = keyOf(header);
        for (auto it = m_byTitle.constFind(key); it != m_byTitle.cend() && it.key() == key; ++it) {
            const ChartScan &there = m_state.charts[it.value()];
            const qint64 id = there.header->songId;
            if (m_taken.contains(id)
                || QFileInfo(there.path).fileName().compare(QStringLiteral("o2ma%1.ojn").arg(id), Qt::CaseInsensitive) != 0)
                continue;
            const bool copied = id == header.songId && isUsualOjmName(headerOjm, id);
            const bool same = copied ? sameBytes(scan.path, there.path) : rewriteMatches(scan.path, qint32(id), there.path);
            if (!same)
                continue;
            earlier.id = id;
            earlier.chartThere = true;
            earlier.chart = &there;
            earlier.unclear = m_state.names.ambiguity(usualOjmName(id), QStringLiteral("the OJM of o2ma%1.ojn").arg(id));
            earlier.ojmThere = !m_state.names.find(usualOjmName(id)).isEmpty();
            return earlier;
        }
        for (const auto &[id, name] : m_loneOjms) {
            if (m_taken.contains(id) || !sameBytes(ojm, m_state.names.pathOf(name)))
                continue;
            earlier.id = id;
            earlier.ojmThere = true;
            return earlier;
        }
        return earlier;
    }

    // What a chart keeps when it is added under another ID: its texts but
    // the OJM name, and its note counts.
    static QByteArray keyOf(const ChartHeader &header)
    {
        QByteArray key = header.title + '\0' + header.artist + '\0' + header.pattern + '\0';
        for (const qint32 count : header.noteCounts)
            key += QByteArray::number(count) + ' ';
        return key;
    }

    bool rewriteMatches(const QString &path, qint32 id, const QString &there) const
    {
        const Result<QByteArray> bytes = chartWithSongId(path, id, m_settings.codec);
        return bytes.ok() && fileHolds(there, bytes.value());
    }

    const AddSettings &m_settings;
    FolderState m_state;
    FolderPlan m_plan;
    qint64 m_highest = -1;
    qint64 m_start = FirstOfficialSongId;
    QSet<qint64> m_taken; // IDs this command gives out
    QMultiHash<QByteArray, qsizetype> m_byTitle;
    QList<std::pair<qint64, QString>> m_loneOjms; // o2ma<ID>.ojm files whose ID nothing else holds
    QHash<QString, FolderListing> m_sourceFolders;
    QList<AddedChart> m_added;
    QList<std::pair<qint64, ListEntryEdit>> m_entries; // the list's, by the song ID each chart gets
};

} // namespace

Result<FolderPlan> planAdd(const QString &folder, const QStringList &charts, const AddSettings &settings)
{
    FolderState state = readFolderState(folder, settings.listPath);
    if (!state.error.isEmpty())
        return Failure{state.error};
    AddPlanner planner(folder, settings, std::move(state));
    for (const QString &chart : charts)
        planner.add(chart);
    return planner.finish();
}

} // namespace ojn
