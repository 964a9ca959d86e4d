#include "model/ChartEncryption.h"

#include "model/ChartLayout.h"

#include <array>

namespace ojn {

std::optional<QByteArray> decryptChartBytes(QByteArrayView prefix, QByteArrayView cipher, qint64 plainOffset)
{
    if (prefix.size() < EncryptionPrefixLength || !isEncrypted(prefix))
        return std::nullopt;
    const int blockSize = quint8(prefix[3]);
    if (blockSize == 0)
        return std::nullopt;
    // All main key, then the first key at 0 and the middle key at the
    // middle, in the order the scheme names them.
    std::array<char, 256> block;
    block.fill(prefix[4]);
    block[0] = prefix[6];
    block[size_t(blockSize / 2)] = prefix[5];

    const qsizetype length = cipher.size();
    QByteArray plain(length, Qt::Uninitialized);
    char *out = plain.data();
    const char *in = cipher.data() + length - 1;
    for (qsizetype i = 0, k = plainOffset % blockSize; i < length; ++i, --in) {
        out[i] = char(*in ^ block[size_t(k)]);
        if (++k == blockSize)
            k = 0;
    }
    return plain;
}

std::optional<QByteArray> decryptChart(QByteArrayView file)
{
    if (file.size() < EncryptionPrefixLength)
        return std::nullopt;
    return decryptChartBytes(file.first(EncryptionPrefixLength), file.sliced(EncryptionPrefixLength));
}

} // namespace ojn
