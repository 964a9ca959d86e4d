#include "model/SongId.h"

namespace ojn {

std::optional<qint64> songIdFromFileName(const QString &fileName)
{
    const QLatin1String prefix("o2ma"), suffix(".ojn");
    if (!fileName.startsWith(prefix, Qt::CaseInsensitive) || !fileName.endsWith(suffix, Qt::CaseInsensitive))
        return std::nullopt;
    const QStringView middle = QStringView(fileName).sliced(prefix.size(), fileName.size() - prefix.size() - suffix.size());
    qsizetype digits = 0;
    while (digits < middle.size() && middle[digits] >= QLatin1Char('0') && middle[digits] <= QLatin1Char('9'))
        ++digits;
    // Digits, then nothing or an underscore and a version.
    if (digits == 0 || digits > 18 || (digits < middle.size() && (middle[digits] != QLatin1Char('_') || digits + 1 == middle.size())))
        return std::nullopt;
    return middle.first(digits).toLongLong();
}

std::optional<qint64> songIdFromOjmName(const QString &fileName)
{
    if (!fileName.endsWith(QLatin1String(".ojm"), Qt::CaseInsensitive))
        return std::nullopt;
    // The same digits rule as a chart's name, without a version.
    QString asChart = fileName;
    asChart.chop(4);
    if (asChart.contains(QLatin1Char('_')))
        return std::nullopt;
    return songIdFromFileName(asChart + QLatin1String(".ojn"));
}

QString usualOjmName(qint64 songId)
{
    return QStringLiteral("o2ma%1.ojm").arg(songId);
}

QString ojmNameIn(const ChartHeader &header, const TextCodec &codec)
{
    for (const char c : header.ojmFile) {
        if (uchar(c) >= 0x80)
            return codec.decode(header.ojmFile);
    }
    return QString::fromLatin1(header.ojmFile);
}

} // namespace ojn
