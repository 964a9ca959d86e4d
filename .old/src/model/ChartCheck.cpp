#include "model/ChartCheck.h"

#include "model/ChartBounds.h"
#include "model/ChartEncryption.h"
#include "model/ChartLayout.h"
#include "model/NoteSections.h"

#include <algorithm>

namespace ojn {
namespace {

Finding unreadable(const QString &text)
{
    return {FindingType::Unreadable, text};
}

void checkSectionOffsets(const ChartHeader &h, Findings &findings)
{
    auto add = [&findings](const QString &text) { findings.append({FindingType::SectionOffsets, text}); };
    const PerDifficulty &at = h.noteSectionOffsets;
    if (at[Ex] != layout::HeaderSize) {
        add(QStringLiteral("The Ex note section starts at byte %1, not right after the %2-byte header.")
                .arg(at[Ex]).arg(layout::HeaderSize));
    }
    if (at[Ex] > at[Nx] || at[Nx] > at[Hx]) {
        add(QStringLiteral("The note sections are out of order: Ex at byte %1, Nx at byte %2, Hx at byte %3.")
                .arg(at[Ex]).arg(at[Nx]).arg(at[Hx]));
    }
    for (int d = 0; d < DifficultyCount; ++d) {
        if (at[size_t(d)] > h.coverOffset) {
            add(QStringLiteral("The %1 note section starts at byte %2, past the cover at byte %3.")
                    .arg(QLatin1String(difficultyName(d))).arg(at[size_t(d)]).arg(h.coverOffset));
        }
    }
}

} // namespace

QString ChartScan::unreadableReason() const
{
    if (header)
        return QString();
    // A missing signature says best that a file is no chart at all.
    for (const Finding &f : findings) {
        if (f.type == FindingType::NoSignature)
            return f.text;
    }
    for (const Finding &f : findings) {
        if (f.isProblem())
            return f.text;
    }
    return QStringLiteral("The chart could not be read.");
}

void keepHeaderOfChartsOnly(ChartScan &scan)
{
    const bool noChart = std::any_of(scan.findings.cbegin(), scan.findings.cend(), [](const Finding &f) {
        return f.type == FindingType::Malformed || f.type == FindingType::NoSignature;
    });
    if (noChart)
        scan.header.reset();
}

Findings checkChartHeader(const ChartHeader &header, qint64 plainSize)
{
    Findings findings;
    const Result<> bounds = checkChartBounds(header.bytes, plainSize);
    if (!bounds.ok())
        findings.append({FindingType::Malformed, bounds.error()});
    if (!header.hasSignature())
        findings.append({FindingType::NoSignature, QStringLiteral("The header has no \"ojn\" signature at byte 4.")});
    checkSectionOffsets(header, findings);
    const qint64 end = qint64(header.coverOffset) + header.coverSize + header.thumbnailSize;
    if (bounds.ok() && plainSize > end) {
        findings.append({FindingType::TrailingBytes,
                         QStringLiteral("%1 bytes follow the thumbnail; saving the chart in the editor drops them.")
                             .arg(plainSize - end)});
    }
    return findings;
}

ChartScan scanChartHeader(QByteArrayView firstBytes, QByteArrayView lastBytes, qint64 fileSize)
{
    ChartScan scan;
    scan.fileSize = fileSize;
    scan.encrypted = isEncrypted(firstBytes);
    if (!scan.encrypted) {
        scan.header = parseChartHeader(firstBytes);
        if (!scan.header) // too short: the open command's words
            scan.findings.append({FindingType::Malformed, checkChartBounds(firstBytes, fileSize).error()});
        else
            scan.findings = checkChartHeader(*scan.header, fileSize);
        return scan;
    }

    const qint64 plainSize = fileSize - EncryptionPrefixLength;
    if (plainSize < layout::HeaderSize || lastBytes.size() < layout::HeaderSize) {
        scan.findings.append(unreadable(QStringLiteral("The chart is encrypted, and it holds %1 bytes, too few for a chart header.")
                                            .arg(qMax<qint64>(plainSize, 0))));
        return scan;
    }
    const std::optional<QByteArray> plain =
        decryptChartBytes(firstBytes.first(qMin<qsizetype>(firstBytes.size(), EncryptionPrefixLength)),
                          lastBytes.last(layout::HeaderSize));
    if (!plain) {
        scan.findings.append(unreadable(QStringLiteral("The chart is encrypted, and its keys are incomplete or its key block size is 0, so it cannot be decrypted.")));
        return scan;
    }
    std::optional<ChartHeader> header = parseChartHeader(*plain);
    if (!header->hasSignature()) {
        scan.findings.append(unreadable(QStringLiteral("The chart is encrypted, and it does not decrypt to an OJN chart (no \"ojn\" signature at byte 4).")));
        return scan;
    }
    scan.header = std::move(header);
    scan.findings = checkChartHeader(*scan.header, plainSize);
    scan.findings.prepend({FindingType::Encrypted,
                           QStringLiteral("The chart is encrypted; its header was read by decrypting it in memory. The editor does not open encrypted charts.")});
    return scan;
}

qint64 noteDataEnd(const ChartHeader &header, qint64 plainSize)
{
    if (header.coverOffset < layout::HeaderSize)
        return plainSize;
    return qMin<qint64>(header.coverOffset, plainSize);
}

ChartScan checkChartBytes(QByteArrayView file)
{
    const qsizetype size = file.size();
    ChartScan scan = scanChartHeader(file.first(qMin<qsizetype>(size, layout::HeaderSize)),
                                     file.last(qBound<qsizetype>(0, size - EncryptionPrefixLength, layout::HeaderSize)), size);
    if (!scan.header)
        return scan;
    QByteArray decrypted;
    QByteArrayView plain = file;
    if (scan.encrypted) {
        decrypted = decryptChart(file).value_or(QByteArray());
        plain = decrypted;
    }
    scan.findings += checkNoteSections(*scan.header, plain.first(noteDataEnd(*scan.header, plain.size())));
    scan.noteSectionsChecked = true;
    keepHeaderOfChartsOnly(scan);
    return scan;
}

QList<QList<qsizetype>> songIdClashes(const QList<ChartScan> &charts)
{
    QList<std::pair<qint32, qsizetype>> ids;
    ids.reserve(charts.size());
    for (qsizetype i = 0; i < charts.size(); ++i) {
        if (charts[i].header)
            ids.append({charts[i].header->songId, i});
    }
    std::sort(ids.begin(), ids.end());
    QList<QList<qsizetype>> clashes;
    for (qsizetype first = 0, end = 0; first < ids.size(); first = end) {
        for (end = first + 1; end < ids.size() && ids[end].first == ids[first].first;)
            ++end;
        if (end - first < 2)
            continue;
        QList<qsizetype> &group = clashes.emplace_back();
        for (qsizetype k = first; k < end; ++k)
            group.append(ids[k].second);
    }
    return clashes;
}

} // namespace ojn
