#include "folderplans/FolderState.h"

#include "fileio/FolderEntries.h"
#include "fileio/NewFileNames.h"
#include "folderchecks/ChartBatchCheck.h"
#include "model/SongId.h"
#include "text/MessageText.h"

#include <QDir>
#include <QFileInfo>

namespace ojn {

QString findOjm(const FolderListing &names, const QString &chartFileName, const QString &headerOjm, QStringList *lookedFor,
                QString *ambiguity)
{
    QStringList tried;
    if (!headerOjm.isEmpty() && !headerOjm.contains(QLatin1Char('/')) && !headerOjm.contains(QLatin1Char('\\')))
        tried << headerOjm;
    const QString own = QFileInfo(chartFileName).completeBaseName() + QLatin1String(".ojm");
    if (!tried.contains(own, Qt::CaseInsensitive))
        tried << own;
    for (const QString &name : std::as_const(tried)) {
        // Of two files differing only in case, neither is picked.
        if (const QString unclear = names.ambiguity(name, QStringLiteral("its OJM")); !unclear.isEmpty()) {
            if (ambiguity)
                *ambiguity = unclear;
            return QString();
        }
        if (const QString found = names.find(name); !found.isEmpty())
            return found;
    }
    if (lookedFor)
        *lookedFor = tried;
    return QString();
}

std::optional<qint64> FolderState::lowestFreeId(qint64 from, const QSet<qint64> &given) const
{
    for (qint64 id = std::max<qint64>(from, 0); id <= LastSongId; ++id) {
        if (!holders.contains(id) && !given.contains(id))
            return id;
    }
    return std::nullopt;
}

FolderState readFolderState(const QString &folder, const std::optional<QString> &listPath, FolderReads reads)
{
    return readFolderState(listFolder(folder), listPath, reads);
}

FolderState readFolderState(const FolderListing &listing, const std::optional<QString> &listPath, FolderReads reads)
{
    FolderState state;
    state.names = listing;
    if (!listing.error.isEmpty()) {
        state.error = listing.error;
        return state;
    }
    if (listPath) {
        Result<SongList> read = readSongListFile(*listPath);
        if (!read.ok()) {
            state.error = read.error();
            return state;
        }
        state.list = std::move(read).value();
    }
    if (reads == FolderReads::Names)
        return state;
    if (state.list) {
        for (const QByteArray &entry : std::as_const(state.list->entries))
            state.holders[songIdOfEntry(entry)].append(QStringLiteral("the song list"));
    }
    for (const FolderEntry &entry : listing.entries) {
        if (std::optional<qint64> id = songIdFromFileName(entry.name))
            state.holders[*id].append(entry.name);
        else if (std::optional<qint64> ojm = songIdFromOjmName(entry.name))
            state.holders[*ojm].append(entry.name);
    }
    state.charts = readChartHeaders(listing.chartFiles());
    for (const ChartScan &chart : std::as_const(state.charts)) {
        if (chart.header) {
            QStringList &held = state.holders[chart.header->songId];
            const QString name = fileNameOfPath(chart.path);
            if (!held.contains(name))
                held.append(name);
        }
    }
    return state;
}

FolderPlan emptyPlanFor(const FolderState &state, const TextCodec &codec)
{
    FolderPlan plan;
    plan.folder = state.names.absoluteFolder();
    plan.leftTemporaries = leftTemporariesAmong(state.names.entries, isChartOrOjmName);
    plan.codePage = codec.codePage();
    return plan;
}

} // namespace ojn
