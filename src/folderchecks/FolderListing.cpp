#include "folderchecks/FolderListing.h"

#include "fileio/FolderEntries.h"
#include "fileio/NotRegularFile.h"

#include <QDir>
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

    const Result<QList<FolderEntry>> entries = readFolderEntries(folder);
    if (!entries.ok()) {
        listing.error = QStringLiteral("The folder %1 cannot be read: %2").arg(shown, entries.error());
        return listing;
    }
    // Every entry but the hidden ones, so that a link to nothing or a pipe
    // named as a chart is said and not passed over. Charts sort by their
    // case-folded name, folded once each.
    QList<std::pair<QString, QString>> charts; // folded name, path
    const QString prefix = pathPrefixOf(folder);
    listing.foldedFileNames.reserve(entries->size());
    for (const FolderEntry &entry : entries.value()) {
        if (entry.hidden)
            continue;
        QString folded = entry.name.toCaseFolded();
        // A plain file's type comes with the listing; only the rest cost a look.
        if (entry.type != EntryType::File) {
            if (QString why = notRegularFileReason(prefix + entry.name); !why.isEmpty())
                listing.notRegularFiles.insert(folded, std::move(why));
        }
        if (entry.name.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive))
            charts.append({folded, prefix + entry.name});
        listing.foldedFileNames.insert(std::move(folded));
    }
    std::sort(charts.begin(), charts.end());
    listing.chartPaths.reserve(charts.size());
    for (auto &chart : charts)
        listing.chartPaths.append(std::move(chart.second));
    return listing;
}

} // namespace ojn
