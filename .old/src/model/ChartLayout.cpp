#include "model/ChartLayout.h"

#include <QStringList>

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

int genreNamedOrNumbered(const QString &value)
{
    if (const int named = genreValueOf(value); named >= 0)
        return named;
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    return isNumber && number >= 0 && number < GenreCount ? number : -1;
}

QString genreListText()
{
    QStringList entries;
    for (int value = 0; value < GenreCount; ++value)
        entries << QStringLiteral("%1 %2").arg(value).arg(genreNames()[size_t(value)]);
    return entries.join(QStringLiteral(", "));
}

bool isEncrypted(QByteArrayView firstBytes)
{
    return firstBytes.size() >= layout::EncryptionMarkerLength
        && firstBytes.first(layout::EncryptionMarkerLength)
               == QByteArrayView(layout::EncryptionMarker, layout::EncryptionMarkerLength);
}

} // namespace ojn
