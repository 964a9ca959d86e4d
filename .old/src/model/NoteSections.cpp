#include "model/NoteSections.h"

#include "model/ChartLayout.h"

#include <QtEndian>

namespace ojn {
namespace {

constexpr qint64 PackageHeadSize = 8;
constexpr qint64 EventSize = 4;
constexpr qint64 EventCountOffset = 6;

QString sectionName(int d)
{
    return QStringLiteral("The %1 note section").arg(QLatin1String(difficultyName(d)));
}

QString nextName(int d)
{
    return d + 1 < DifficultyCount ? QStringLiteral("the next section") : QStringLiteral("the cover");
}

} // namespace

PackageWalk walkPackages(QByteArrayView chart, qint64 start, qint32 packageCount)
{
    PackageWalk walk;
    walk.end = start;
    const qint64 size = chart.size();
    const char *data = chart.data();
    while (walk.walked < packageCount) {
        if (walk.end < 0 || walk.end + PackageHeadSize > size)
            return walk;
        const qint16 events = qFromLittleEndian<qint16>(data + walk.end + EventCountOffset);
        if (events < 0) {
            walk.badEventCount = events;
            return walk;
        }
        const qint64 next = walk.end + PackageHeadSize + events * EventSize;
        if (next > size)
            return walk;
        walk.end = next;
        ++walk.walked;
    }
    walk.complete = true;
    return walk;
}

Findings checkNoteSections(const ChartHeader &header, QByteArrayView chart)
{
    Findings findings;
    auto add = [&findings](const QString &text) { findings.append({FindingType::NoteSection, text}); };
    for (int d = 0; d < DifficultyCount; ++d) {
        const qint64 start = header.noteSectionOffsets[size_t(d)];
        const qint64 expectedEnd = d + 1 < DifficultyCount ? header.noteSectionOffsets[size_t(d + 1)] : header.coverOffset;
        const qint32 count = header.packageCounts[size_t(d)];
        if (start < layout::HeaderSize || start > expectedEnd)
            continue;
        if (count < 0) {
            add(QStringLiteral("%1's package count is negative (%2).").arg(sectionName(d)).arg(count));
            continue;
        }
        const PackageWalk walk = walkPackages(chart, start, count);
        if (walk.badEventCount < 0) {
            add(QStringLiteral("%1's package %2 of %3, at byte %4, has a negative event count (%5).")
                    .arg(sectionName(d)).arg(walk.walked + 1).arg(count).arg(walk.end).arg(walk.badEventCount));
        } else if (!walk.complete) {
            add(QStringLiteral("%1 runs past the end of the note data at byte %2: its package %3 of %4, at byte %5, does not fit.")
                    .arg(sectionName(d)).arg(chart.size()).arg(walk.walked + 1).arg(count).arg(walk.end));
        } else if (walk.end != expectedEnd) {
            add(QStringLiteral("%1's %2 packages end at byte %3, %4 %5 at byte %6.")
                    .arg(sectionName(d)).arg(count).arg(walk.end)
                    .arg(walk.end < expectedEnd ? QStringLiteral("short of") : QStringLiteral("past"), nextName(d))
                    .arg(expectedEnd));
        }
    }
    return findings;
}

} // namespace ojn
