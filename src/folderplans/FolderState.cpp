#include "folderplans/FolderState.h"

#include "fileio/FolderEntries.h"
#include "folderchecks/ChartBatchCheck.h"
#include "model/SongId.h"
#include "text/MessageText.h"

#include <QDir>
#include <QFileInfo>

namespace ojn {

FolderNames listFolderNames(const QString &folder)
{
    FolderNames names;
    names.folder = QFileInfo(folder).absoluteFilePath();
    if (!QFileInfo(folder).isDir()) {
        names.error = QStringLiteral("%1 is not a folder.").arg(QDir::toNativeSeparators(folder));
        return names;
    }
    const Result<QList<FolderEntry>> entries = readFolderEntries(names.folder);
    if (!entries.ok()) {
        names.error = QStringLiteral("The folder %1 cannot be read: %2").arg(QDir::toNativeSeparators(folder), entries.error());
        return names;
    }
    const QString prefix = pathPrefixOf(names.folder);
    names.byFolded.reserve(entries->size());
    for (const FolderEntry &entry : entries.value()) {
        names.byFolded[entry.name.toCaseFolded()].append(entry.name);
        // Files only, by the listing's own types: a look only at a link.
        if (entry.name.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive)
            && (entry.type == EntryType::File || (entry.type == EntryType::Link && QFileInfo(prefix + entry.name).isFile())))
            names.chartPaths << prefix + entry.name;
    }
    for (QStringList &same : names.byFolded)
        same.sort();
    return names;
}

QString FolderNames::ambiguity(const QString &name, const QString &what) const
{
    const QStringList found = byFolded.value(name.toCaseFolded());
    if (found.size() < 2)
        return QString();
    return QStringLiteral("%1 is ambiguous: %2 differ only in case; give one of them another name first.").arg(what, quotedList(found));
}

QString findOjm(const FolderNames &names, const QString &chartFileName, const QString &headerOjm, QStringList *lookedFor,
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
    FolderState state;
    state.names = listFolderNames(folder);
    if (!state.names.error.isEmpty()) {
        state.error = state.names.error;
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
    state.names.chartPaths.sort();
    if (reads == FolderReads::Names)
        return state;
    if (state.list) {
        for (const QByteArray &entry : std::as_const(state.list->entries))
            state.holders[songIdOfEntry(entry)].append(QStringLiteral("the song list"));
    }
    for (auto it = state.names.byFolded.cbegin(); it != state.names.byFolded.cend(); ++it) {
        for (const QString &name : it.value()) {
            if (std::optional<qint64> id = songIdFromFileName(name))
                state.holders[*id].append(name);
            else if (std::optional<qint64> ojm = songIdFromOjmName(name))
                state.holders[*ojm].append(name);
        }
    }
    state.charts = readChartHeaders(state.names.chartPaths);
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

} // namespace ojn
