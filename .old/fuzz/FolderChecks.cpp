#include "FolderChecks.h"
#include "Promise.h"

#include "model/ChartCheck.h"
#include "model/NoteSections.h"
#include "songlist/SongList.h"
#include "songlist/SongListSync.h"

#include <QBuffer>
#include <QSet>
#include <QtEndian>

#include <algorithm>

namespace ojn::fuzz {

void checkSongListInput(QByteArrayView input)
{
    const Result<SongList> read = parseSongList(input);
    const qint64 size = input.size();
    const qint64 count = size >= 4 ? qFromLittleEndian<qint32>(input.data()) : -1;
    const bool wellFormed = count >= 0 && 4 + count * 300 <= size;
    require(read.ok() == wellFormed, "exactly the well-formed lists are read");
    if (!read.ok()) {
        require(!read.error().isEmpty(), "a refusal says why");
        return;
    }
    const SongList &list = read.value();
    require(list.entries.size() == count, "as many entries as the count says");
    for (qsizetype i = 0; i < list.entries.size(); ++i)
        require(list.entries[i] == input.sliced(4 + i * 300, 300), "each entry is its 300 bytes");
    require(list.extraSections == input.sliced(4 + count * 300), "the extra sections are the rest");

    QByteArray written;
    QBuffer device(&written);
    device.open(QIODevice::WriteOnly);
    require(writeSongList(list, device).ok(), "a list that was read can be written");
    require(written == input, "a list is written back byte for byte");

    // Charts holding the list's own entries, one per song ID (the first).
    QList<ChartScan> charts;
    QSet<qint32> ids;
    for (const QByteArray &entry : list.entries) {
        if (ids.contains(songIdOfEntry(entry)))
            continue;
        ids.insert(songIdOfEntry(entry));
        ChartScan chart;
        chart.header = parseChartHeader(entry);
        charts.append(chart);
    }
    const Result<SongListSync> planned = planSongListSync(list, charts, true);
    require(planned.ok(), "a list of its own charts syncs");
    const SongListSync &sync = planned.value();
    require(sync.added.isEmpty() && sync.missing.isEmpty(), "every listed song has its chart");
    require(sync.list.entries.size() == list.entries.size(), "a sync keeps every entry");
    require(sync.list.extraSections == list.extraSections, "a sync keeps the extra sections");
    const Result<SongListSync> again = planSongListSync(sync.list, charts, true);
    require(again.ok() && !again->changesList(), "a synced list is in step");
}

void checkNoteSectionInput(QByteArrayView input)
{
    const ChartScan scan = checkChartBytes(input);
    require(!scan.header || scan.noteSectionsChecked, "every chart with a header has its note sections checked");
    require(!scan.header || scan.header->hasSignature(), "a header is kept only with its signature");
    const bool malformed = std::any_of(scan.findings.cbegin(), scan.findings.cend(),
                                       [](const Finding &f) { return f.type == FindingType::Malformed; });
    require(!scan.header || !malformed, "a header is kept only where the offsets fit the size");
    if (!scan.header)
        require(!scan.unreadableReason().isEmpty(), "an unreadable chart says why");

    // The walk itself, from each stored section offset, over the bytes as
    // given.
    const std::optional<ChartHeader> header = parseChartHeader(input);
    if (!header)
        return;
    for (int d = 0; d < DifficultyCount; ++d) {
        const qint64 start = header->noteSectionOffsets[size_t(d)];
        const qint32 count = header->packageCounts[size_t(d)];
        const PackageWalk walk = walkPackages(input, start, count);
        require(walk.walked <= qMax(count, 0), "no more packages than asked");
        require(walk.complete == (walk.walked == qMax(count, 0)), "complete exactly when every package was walked");
        if (walk.walked > 0)
            require(walk.end > start && walk.end <= input.size(), "a walk ends within the bytes");
        if (walk.complete || walk.badEventCount < 0)
            continue;
        // Stopped early: the next package does not fit.
        const bool headFits = walk.end >= 0 && walk.end + 8 <= input.size();
        require(!headFits || walk.end + 8 + 4 * qint64(qFromLittleEndian<qint16>(input.data() + walk.end + 6)) > input.size(),
                "a walk stops early only where a package does not fit");
    }
}

} // namespace ojn::fuzz
