#include "model/SongId.h"

#include <cstdio>

namespace ojn {
namespace {

// Whether `text` holds the lower-case ASCII `ascii` at `at`, in any case:
// a folder's names are compared many thousand times, and Qt's comparison
// folds every character through the Unicode tables.
bool holdsAsciiAt(QStringView text, qsizetype at, QLatin1StringView ascii)
{
    if (at < 0 || at + ascii.size() > text.size())
        return false;
    for (qsizetype i = 0; i < ascii.size(); ++i) {
        char16_t c = text[at + i].unicode();
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
        if (c != char16_t(ascii[i].unicode()))
            return false;
    }
    return true;
}

} // namespace

std::optional<qint64> songIdFromFileName(const QString &fileName)
{
    const QLatin1StringView prefix("o2ma"), suffix(".ojn");
    if (!holdsAsciiAt(fileName, 0, prefix) || !holdsAsciiAt(fileName, fileName.size() - suffix.size(), suffix)
        || fileName.size() < prefix.size() + suffix.size())
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

bool isUsualOjmName(const QString &fileName, qint64 songId)
{
    const QLatin1StringView prefix("o2ma"), suffix(".ojm");
    char digits[24];
    const int length = std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(songId));
    return fileName.size() == prefix.size() + length + suffix.size() && holdsAsciiAt(fileName, 0, prefix)
        && holdsAsciiAt(fileName, prefix.size(), QLatin1StringView(digits, length))
        && holdsAsciiAt(fileName, prefix.size() + length, suffix);
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
