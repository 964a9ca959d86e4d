#include "folderchecks/FolderListing.h"

#include "fileio/NotRegularFile.h"
#include "text/MessageText.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace ojn {

FolderListing FolderListing::of(const QString &folder, QList<FolderEntry> entries)
{
    FolderListing listing;
    listing.folder = folder;
    listing.m_absolute = folder.isEmpty() ? QString() : QDir::fromNativeSeparators(QFileInfo(folder).absoluteFilePath());
    listing.entries = std::move(entries);
    // Charts sort by their case-folded name, folded once each.
    QList<std::pair<QString, QString>> charts; // folded name, path
    QSet<QString> hiddenFolds;
    const QString prefix = pathPrefixOf(folder);
    listing.m_byFolded.reserve(listing.entries.size());
    for (qsizetype i = 0; i < listing.entries.size(); ++i) {
        const FolderEntry &entry = listing.entries[i];
        QString folded = entry.name.toCaseFolded();
        if (const auto first = listing.m_byFolded.constFind(folded); first != listing.m_byFolded.cend()) {
            QList<qsizetype> &twins = listing.m_caseTwins[folded];
            if (twins.isEmpty())
                twins << *first;
            twins << i;
            std::sort(twins.begin(), twins.end(), [&](qsizetype a, qsizetype b) { return listing.entries[a].name < listing.entries[b].name; });
            listing.m_byFolded[folded] = twins.first();
        } else {
            listing.m_byFolded.insert(folded, i);
        }
        if (entry.hidden) {
            hiddenFolds.insert(folded);
            continue;
        }
        // A plain file's type comes with the listing; only the rest cost a look.
        if (entry.type != EntryType::File) {
            if (QString why = notRegularFileReason(prefix + entry.name); !why.isEmpty())
                listing.notRegularFiles.insert(folded, std::move(why));
        }
        if (entry.name.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive))
            charts.append({std::move(folded), prefix + entry.name});
    }
    for (const QString &folded : std::as_const(hiddenFolds)) {
        const QList<qsizetype> twins = listing.m_caseTwins.value(folded, {listing.m_byFolded.value(folded)});
        if (std::all_of(twins.cbegin(), twins.cend(), [&](qsizetype i) { return listing.entries[i].hidden; }))
            listing.m_hiddenOnly.insert(folded);
    }
    std::sort(charts.begin(), charts.end());
    listing.chartPaths.reserve(charts.size());
    for (auto &chart : charts)
        listing.chartPaths.append(std::move(chart.second));
    return listing;
}

bool FolderListing::containsFile(const QString &fileName) const
{
    const QString folded = fileName.toCaseFolded();
    return m_byFolded.contains(folded) && (m_hiddenOnly.isEmpty() || !m_hiddenOnly.contains(folded));
}

QString FolderListing::notRegularReason(const QString &fileName) const
{
    return notRegularFiles.isEmpty() ? QString() : notRegularFiles.value(fileName.toCaseFolded());
}

QString FolderListing::find(const QString &name) const
{
    const auto found = m_byFolded.constFind(name.toCaseFolded());
    return found == m_byFolded.cend() ? QString() : entries[*found].name;
}

QString FolderListing::ambiguity(const QString &name, const QString &what) const
{
    const auto twins = m_caseTwins.constFind(name.toCaseFolded());
    if (twins == m_caseTwins.cend())
        return QString();
    QStringList names;
    for (const qsizetype i : *twins)
        names << entries[i].name;
    return QStringLiteral("%1 is ambiguous: %2 differ only in case; give one of them another name first.").arg(what, quotedList(names));
}

const FolderEntry *FolderListing::entryNamed(const QString &name) const
{
    const QString folded = name.toCaseFolded();
    if (const auto twins = m_caseTwins.constFind(folded); twins != m_caseTwins.cend()) {
        for (const qsizetype i : *twins) {
            if (entries[i].name == name)
                return &entries[i];
        }
        return nullptr;
    }
    const auto found = m_byFolded.constFind(folded);
    return found != m_byFolded.cend() && entries[*found].name == name ? &entries[*found] : nullptr;
}

bool FolderListing::isChartFile(const FolderEntry &entry) const
{
    // Files only, by the listing's own types: a look only at a link.
    return entry.name.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive)
        && (entry.type == EntryType::File || (entry.type == EntryType::Link && QFileInfo(pathOf(entry.name)).isFile()));
}

bool FolderListing::isChartFile(const QString &name) const
{
    const FolderEntry *entry = entryNamed(name);
    return entry && isChartFile(*entry);
}

QStringList FolderListing::chartFiles() const
{
    QStringList paths;
    for (const FolderEntry &entry : entries) {
        if (isChartFile(entry))
            paths << pathOf(entry.name);
    }
    paths.sort();
    return paths;
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
    Result<QList<FolderEntry>> entries = readFolderEntries(folder);
    if (!entries.ok()) {
        listing.error = QStringLiteral("The folder %1 cannot be read: %2").arg(shown, entries.error());
        return listing;
    }
    return FolderListing::of(folder, std::move(entries).value());
}

} // namespace ojn
