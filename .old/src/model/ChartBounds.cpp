#include "model/ChartBounds.h"

#include "model/ChartLayout.h"

#include <QtEndian>

#include <limits>

namespace ojn {

Result<> checkChartBounds(QByteArrayView header, qint64 fileSize)
{
    if (fileSize < layout::HeaderSize || header.size() < layout::HeaderSize) {
        return Failure{QStringLiteral("The file is too short to be an OJN chart: %1 bytes, a chart header needs %2.")
            .arg(fileSize)
            .arg(layout::HeaderSize)};
    }
    const qint64 coverOffset = qFromLittleEndian<qint32>(header.data() + layout::CoverOffset);
    const qint64 coverSize = qFromLittleEndian<qint32>(header.data() + layout::CoverSize);
    const qint64 thumbnailSize = qFromLittleEndian<qint32>(header.data() + layout::ThumbnailSize);

    if (coverOffset < 0)
        return Failure{QStringLiteral("The chart is damaged: the cover image offset is negative (%1).").arg(coverOffset)};
    if (coverSize < 0)
        return Failure{QStringLiteral("The chart is damaged: the cover image size is negative (%1).").arg(coverSize)};
    if (thumbnailSize < 0)
        return Failure{QStringLiteral("The chart is damaged: the thumbnail size is negative (%1).").arg(thumbnailSize)};
    if (coverOffset < layout::HeaderSize) {
        return Failure{QStringLiteral("The chart is damaged: the cover image would start at byte %1, inside the %2-byte header.")
            .arg(coverOffset)
            .arg(layout::HeaderSize)};
    }
    const qint64 thumbnailOffset = coverOffset + coverSize;
    if (thumbnailOffset > std::numeric_limits<qint32>::max()) {
        return Failure{QStringLiteral("The chart is damaged: the cover image offset %1 plus its size %2 is beyond the 32-bit range.")
            .arg(coverOffset)
            .arg(coverSize)};
    }
    if (thumbnailOffset > fileSize) {
        return Failure{QStringLiteral("The chart is damaged: the cover image (%1 bytes at byte %2) reaches past the end of the file (%3 bytes).")
            .arg(coverSize)
            .arg(coverOffset)
            .arg(fileSize)};
    }
    if (thumbnailOffset + thumbnailSize > fileSize) {
        return Failure{QStringLiteral("The chart is damaged: the thumbnail (%1 bytes at byte %2) reaches past the end of the file (%3 bytes).")
            .arg(thumbnailSize)
            .arg(thumbnailOffset)
            .arg(fileSize)};
    }
    return Result<>::success();
}

} // namespace ojn
