#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace ojn {

// Encrypted charts, as the published scheme describes them: "new", then a
// key block size, a main, a middle and a first key (7 bytes), then the
// plain chart stored backwards and XORed with the key block. They are only
// ever decrypted in memory, to read them; nothing writes one.
inline constexpr int EncryptionPrefixLength = 7;

// Bytes of the plain chart inside an encrypted file, from `plainOffset` on.
// `prefix` is the file's first 7 bytes and `cipher` the file's bytes that
// hold them (none of the prefix among them): the plain chart is stored
// backwards, so its bytes [o, o + N) are the N file bytes that end o bytes
// before the file's end; its first N bytes are the file's last N. Nothing
// when the prefix is short, is not an encrypted chart's, or gives a key
// block of size 0.
[[nodiscard]] std::optional<QByteArray> decryptChartBytes(QByteArrayView prefix, QByteArrayView cipher,
                                                          qint64 plainOffset = 0);

// The whole plain chart inside an encrypted file.
[[nodiscard]] std::optional<QByteArray> decryptChart(QByteArrayView file);

} // namespace ojn
