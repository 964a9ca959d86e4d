#include "cli/SongListFormat.h"

#include "cli/HeaderText.h"
#include "model/ChartHeader.h"
#include "text/NumberText.h"

#include <QDir>
#include <QJsonArray>

namespace ojn::cli {
namespace {

QString listText(const ShownSongList &shown, const Console &console)
{
    const SongList &list = shown.list;
    QString text = fieldBlock({{QStringLiteral("Song list"), QDir::toNativeSeparators(shown.path)},
                               {QStringLiteral("Entries"), QString::number(list.entries.size())},
                               {QStringLiteral("Extra sections"), QStringLiteral("%1 bytes").arg(list.extraSections.size())}});
    for (qsizetype i = 0; i < list.entries.size(); ++i) {
        const ChartHeader header = *parseChartHeader(list.entries[i]);
        FieldLines lines = headerFieldLines(recordFieldsOf(header), console);
        lines.prepend({QStringLiteral("Entry"), QString::number(i + 1)});
        for (int d = 0; d < DifficultyCount; ++d)
            lines.append({QStringLiteral("Length ") + QLatin1String(difficultyName(d)), durationText(header.durations[size_t(d)])});
        text += QLatin1Char('\n') + fieldBlock(lines);
    }
    return text;
}

QJsonObject listJson(const ShownSongList &shown, const Console &console)
{
    const SongList &list = shown.list;
    QJsonArray entries;
    for (qsizetype i = 0; i < list.entries.size(); ++i) {
        const ChartHeader header = *parseChartHeader(list.entries[i]);
        QJsonObject entry = headerFieldsJson(recordFieldsOf(header), console);
        entry.insert(QStringLiteral("entry"), i + 1);
        for (int d = 0; d < DifficultyCount; ++d)
            entry.insert(QStringLiteral("duration") + QLatin1String(difficultyName(d)), header.durations[size_t(d)]);
        entries.append(entry);
    }
    return QJsonObject{{QStringLiteral("file"), QDir::toNativeSeparators(shown.path)},
                       {QStringLiteral("codePage"), console.codec.codePage()},
                       {QStringLiteral("extraSectionsSize"), list.extraSections.size()},
                       {QStringLiteral("entries"), entries}};
}

} // namespace

RecordFormat<ShownSongList> songListFormat()
{
    return {listText, listJson};
}

} // namespace ojn::cli
