#include "folderwindow/ChartPictures.h"

#include "model/ChartBounds.h"
#include "model/ChartEncryption.h"
#include "model/ChartLayout.h"
#include "model/DeviceIo.h"

#include <QFile>

#include <new>

namespace ojn {
namespace {

// Larger encrypted files are not read whole just to show a picture.
constexpr qint64 MaxEncryptedRead = 256 * 1024 * 1024;

} // namespace

ChartPictureBytes readChartPictures(const ChartScan &chart)
{
    if (!chart.header)
        return {};
    const ChartHeader &header = *chart.header;
    QFile file(chart.path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qint64 fileSize = file.size();
    const qint64 thumbnailOffset = qint64(header.coverOffset) + header.coverSize;
    ChartPictureBytes pictures;
    try {
        if (!chart.encrypted) {
            if (!chartBoundsFault(header.bytes, fileSize).isEmpty()
                || !readExactlyAt(file, header.coverOffset, header.coverSize, pictures.cover)
                || !readExactlyAt(file, thumbnailOffset, header.thumbnailSize, pictures.thumbnail))
                return {};
            return pictures;
        }
        if (fileSize > MaxEncryptedRead)
            return {};
        const std::optional<QByteArray> plain = decryptChart(file.readAll());
        if (!plain || plain->size() < layout::HeaderSize
            || !chartBoundsFault(plain->first(layout::HeaderSize), plain->size()).isEmpty())
            return {};
        pictures.cover = plain->mid(header.coverOffset, header.coverSize);
        pictures.thumbnail = plain->mid(thumbnailOffset, header.thumbnailSize);
    } catch (const std::bad_alloc &) {
        return {};
    }
    return pictures;
}

} // namespace ojn
