#include "folderchecks/MusicFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace ojn {

bool MusicFolderListing::containsFile(const QString &fileName) const
{
    return foldedFileNames.contains(fileName.toCaseFolded());
}

MusicFolderListing listMusicFolder(const QString &folder)
{
    MusicFolderListing listing;
    listing.folder = folder;
    const QString shown = QDir::toNativeSeparators(folder);
    const QFileInfo info(folder);
    if (!info.exists()) {
        listing.error = QStringLiteral("The folder %1 does not exist.").arg(shown);
        return listing;
    }
    if (!info.isDir()) {
        listing.error = QStringLiteral("%1 is not a folder.").arg(shown);
        return listing;
    }
    if (!info.isReadable()) {
        listing.error = QStringLiteral("The folder %1 cannot be read: permission denied.").arg(shown);
        return listing;
    }

    // Files only: a pipe or a device among the charts would block a read.
    // Charts sort by their case-folded name, folded once each.
    QList<std::pair<QString, QString>> charts; // folded name, path
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = it.fileName();
        QString folded = name.toCaseFolded();
        if (name.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive))
            charts.append({folded, path});
        listing.foldedFileNames.insert(std::move(folded));
    }
    std::sort(charts.begin(), charts.end());
    listing.chartPaths.reserve(charts.size());
    for (auto &chart : charts)
        listing.chartPaths.append(std::move(chart.second));
    return listing;
}

} // namespace ojn
