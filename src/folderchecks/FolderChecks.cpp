#include "folderchecks/FolderChecks.h"

#include "fileio/FolderEntries.h"
#include "model/SongId.h"

#include <QStringList>

namespace ojn {
namespace {

QString fileNameOf(const ChartScan &chart)
{
    return fileNameOfPath(chart.path);
}

void checkDuplicates(const QList<ChartScan> &charts, QList<Findings> &findings)
{
    for (const QList<qsizetype> &group : songIdClashes(charts)) {
        QStringList names;
        for (const qsizetype i : group)
            names.append(fileNameOf(charts[i]));
        const QString text = QStringLiteral("Song ID %1 is used by %2 charts: %3.")
                                 .arg(charts[group.first()].header->songId).arg(group.size()).arg(names.join(QLatin1String(", ")));
        for (const qsizetype i : group)
            findings[i].append({FindingType::DuplicateSongId, text});
    }
}

void checkNames(const ChartScan &chart, const FolderListing &listing, const TextCodec &codec, Findings &findings)
{
    const qint32 id = chart.header->songId;
    const std::optional<qint64> named = songIdFromFileName(fileNameOf(chart));
    if (named && *named != id) {
        findings.append({FindingType::FileNameSongId,
                         QStringLiteral("The file name says song ID %1, but the header holds song ID %2.").arg(*named).arg(id)});
    }
    // No file can be named for it: rename refuses it, so nothing suggests one.
    if (id < 0) {
        findings.append({FindingType::InvalidSongId,
                         QStringLiteral("The header holds song ID %1, which is invalid: song IDs start at 0, so no file "
                                        "name is made for it. Give the chart a valid one (ojn-header renumber).").arg(id)});
    }
    const QString ojm = ojmNameIn(*chart.header, codec);
    if (ojm.isEmpty()) {
        findings.append({FindingType::OjmMissing, QStringLiteral("The header names no OJM file.")});
        return;
    }
    // Without a listing there is nothing to look the OJM up in.
    if (listing.error.isEmpty() && !listing.containsFile(ojm)) {
        findings.append({FindingType::OjmMissing,
                         QStringLiteral("The OJM file \"%1\" named in the header is not in the folder.").arg(ojm)});
    } else if (const QString why = listing.notRegularReason(ojm); listing.error.isEmpty() && !why.isEmpty()) {
        findings.append({FindingType::OjmMissing,
                         QStringLiteral("The OJM file \"%1\" named in the header cannot be read: %2.").arg(ojm, why)});
    }
    if (id < 0)
        return;
    if (!isUsualOjmName(ojm, id)) {
        const QString usual = usualOjmName(id);
        findings.append({FindingType::OjmName,
                         QStringLiteral("The OJM file is named \"%1\"; the game's own charts would name it \"%2\".").arg(ojm, usual)});
    }
}

} // namespace

QList<Findings> checkFolder(const QList<ChartScan> &charts, const FolderListing &listing, const TextCodec &codec)
{
    QList<Findings> findings(charts.size());
    checkDuplicates(charts, findings);
    for (qsizetype i = 0; i < charts.size(); ++i) {
        if (charts[i].header)
            checkNames(charts[i], listing, codec, findings[i]);
    }
    return findings;
}

} // namespace ojn
