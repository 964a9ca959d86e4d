#include "folderplans/FolderState.h"

#include "folderplans/PlanSupport.h"
#include "folderchecks/FolderChecks.h"
#include "folderchecks/ChartBatchCheck.h"

#include <QDir>
#include <QDirIterator>
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
    QDirIterator entries(names.folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        const QString path = entries.next();
        const QString name = entries.fileName();
        names.byFolded[name.toCaseFolded()].append(name);
        // Files only, by the listing's own types: no look at each file.
        if (name.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive) && entries.fileInfo().isFile())
            names.chartPaths << path;
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

QString ojmNameIn(const ChartHeader &header, const TextCodec &codec)
{
    for (const char c : header.ojmFile) {
        if (uchar(c) >= 0x80)
            return codec.decode(header.ojmFile);
    }
    return QString::fromLatin1(header.ojmFile);
}

std::optional<qint64> songIdFromOjmName(const QString &fileName)
{
    if (!fileName.endsWith(QLatin1String(".ojm"), Qt::CaseInsensitive))
        return std::nullopt;
    // The same digits rule as a chart's name, without a version.
    QString asChart = fileName;
    asChart.chop(4);
    if (asChart.contains(QLatin1Char('_')))
        return std::nullopt;
    return songIdFromFileName(asChart + QLatin1String(".ojn"));
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

FolderState readFolderState(const QString &folder, const std::optional<QString> &listPath, bool withHolders)
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
        for (const QByteArray &entry : std::as_const(state.list->entries)) {
            if (withHolders)
                state.holders[songIdOfEntry(entry)].append(QStringLiteral("the song list"));
        }
    }
    QStringList &chartPaths = state.names.chartPaths;
    for (auto it = state.names.byFolded.cbegin(); withHolders && it != state.names.byFolded.cend(); ++it) {
        for (const QString &name : it.value()) {
            if (std::optional<qint64> id = songIdFromFileName(name))
                state.holders[*id].append(name);
            else if (std::optional<qint64> ojm = songIdFromOjmName(name))
                state.holders[*ojm].append(name);
        }
    }
    chartPaths.sort();
    state.charts = checkChartFiles(chartPaths, CheckDepth::Header);
    for (const ChartScan &chart : std::as_const(state.charts)) {
        if (withHolders && chart.header) {
            QStringList &held = state.holders[chart.header->songId];
            const QString name = QFileInfo(chart.path).fileName();
            if (!held.contains(name))
                held.append(name);
        }
    }
    return state;
}

} // namespace ojn
