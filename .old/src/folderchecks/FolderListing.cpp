#include "folderchecks/FolderListing.h"

#include "fileio/NotRegularFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace ojn {

bool FolderListing::containsFile(const QString &fileName) const
{
    return foldedFileNames.contains(fileName.toCaseFolded());
}

QString FolderListing::notRegularReason(const QString &fileName) const
{
    return notRegularFiles.isEmpty() ? QString() : notRegularFiles.value(fileName.toCaseFolded());
}

FolderListing listFolder(const QString &folder)
{
    FolderListing listing;
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

    // Every entry, so that a link to nothing or a pipe named as a chart is
    // said and not passed over (System lets those through, and spares the
    // filter a look at each link). Charts sort by their case-folded name,
    // folded once each.
    QList<std::pair<QString, QString>> charts; // folded name, path
    QDirIterator it(folder, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = it.fileName();
        QString folded = name.toCaseFolded();
        // A plain file's type comes with the listing; only the rest cost a look.
        if (!it.fileInfo().isFile()) {
            if (QString why = notRegularFileReason(path); !why.isEmpty())
                listing.notRegularFiles.insert(folded, std::move(why));
        }
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
