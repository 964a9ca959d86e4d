#include "model/ChartLayout.h"

namespace ojn {

const std::array<QString, GenreCount> &genreNames()
{
    static const std::array<QString, GenreCount> names{
        QStringLiteral("Ballad"),    QStringLiteral("Rock"),        QStringLiteral("Dance"),
        QStringLiteral("Techno"),    QStringLiteral("Hip-Hop"),     QStringLiteral("Soul / R&B"),
        QStringLiteral("Jazz"),      QStringLiteral("Funk"),        QStringLiteral("Classical"),
        QStringLiteral("Traditional"), QStringLiteral("Etc"),
    };
    return names;
}

int genreValueOf(const QString &name)
{
    const auto &names = genreNames();
    for (int i = 0; i < GenreCount; ++i) {
        if (names[i] == name)
            return i;
    }
    return -1;
}

bool isEncrypted(QByteArrayView firstBytes)
{
    return firstBytes.size() >= layout::EncryptionMarkerLength
        && firstBytes.first(layout::EncryptionMarkerLength)
               == QByteArrayView(layout::EncryptionMarker, layout::EncryptionMarkerLength);
}

} // namespace ojn
