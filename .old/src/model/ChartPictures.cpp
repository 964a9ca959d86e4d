#include "model/ChartPictures.h"

#include "model/ChartBounds.h"
#include "model/ChartEncryption.h"
#include "model/ChartLayout.h"
#include "fileio/DeviceIo.h"

#include <QFile>

#include <new>

namespace ojn {

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
            if (!checkChartBounds(header.bytes, fileSize).ok()
                || !readExactlyAt(file, header.coverOffset, header.coverSize, pictures.cover)
                || !readExactlyAt(file, thumbnailOffset, header.thumbnailSize, pictures.thumbnail))
                return {};
            return pictures;
        }
        // The pictures end the plain chart, which the file holds backwards:
        // only their own bytes are read and decrypted.
        const qint64 plainSize = fileSize - EncryptionPrefixLength;
        const qint64 picturesEnd = thumbnailOffset + header.thumbnailSize;
        QByteArray prefix, cipher;
        if (plainSize < layout::HeaderSize || !checkChartBounds(header.bytes, plainSize).ok()
            || !readExactlyAt(file, 0, EncryptionPrefixLength, prefix)
            || !readExactlyAt(file, EncryptionPrefixLength + plainSize - picturesEnd, picturesEnd - header.coverOffset, cipher))
            return {};
        const std::optional<QByteArray> plain = decryptChartBytes(prefix, cipher, header.coverOffset);
        if (!plain)
            return {};
        pictures.cover = plain->first(header.coverSize);
        pictures.thumbnail = plain->sliced(header.coverSize);
    } catch (const std::bad_alloc &) {
        return {};
    }
    return pictures;
}

} // namespace ojn
