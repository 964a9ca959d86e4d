#include "songlist/SongListBuild.h"

#include <QFileInfo>
#include <QMap>

#include <algorithm>

namespace ojn {

QString duplicateSongIdError(const QList<ChartScan> &charts)
{
    QMap<qint32, QStringList> filesById;
    for (const ChartScan &chart : charts) {
        if (chart.header)
            filesById[chart.header->songId].append(QFileInfo(chart.path).fileName());
    }
    QStringList clashes;
    for (auto it = filesById.cbegin(); it != filesById.cend(); ++it) {
        if (it->size() > 1)
            clashes.append(QStringLiteral("song ID %1 (%2)").arg(it.key()).arg(it->join(QLatin1String(", "))));
    }
    if (clashes.isEmpty())
        return QString();
    return QStringLiteral("More than one chart has the same song ID, so the song list cannot tell them apart: %1. "
                          "Give each chart a song ID of its own first.")
        .arg(clashes.join(QLatin1String("; ")));
}

SongListBuild buildSongList(const QList<ChartScan> &charts, const QByteArray &extraSections)
{
    SongListBuild build;
    build.error = duplicateSongIdError(charts);
    if (!build.error.isEmpty())
        return build;
    QList<const ChartHeader *> headers;
    headers.reserve(charts.size());
    for (const ChartScan &chart : charts) {
        if (chart.header)
            headers.append(&*chart.header);
        else
            build.skipped.append(chart.path);
    }
    std::sort(headers.begin(), headers.end(), [](const ChartHeader *a, const ChartHeader *b) { return a->songId < b->songId; });
    SongList list;
    list.entries.reserve(headers.size());
    for (const ChartHeader *header : headers)
        list.entries.append(header->bytes);
    list.extraSections = extraSections;
    build.list = std::move(list);
    return build;
}

} // namespace ojn
