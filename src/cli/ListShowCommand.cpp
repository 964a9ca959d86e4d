#include "cli/Command.h"
#include "cli/HeaderText.h"
#include "cli/ListInput.h"
#include "model/ChartHeader.h"
#include "text/NumberText.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>

namespace ojn::cli {
namespace {

struct ListShowOptions {
    QString listPath;
    bool json = false;
};

Result<ListShowOptions> parseListShowOptions(const CommandArguments &arguments)
{
    return ListShowOptions{arguments.paths.first(), arguments.options.isSet(QStringLiteral("json"))};
}

// The entries' header fields and durations, and the size of the extra
// sections.
int runListShow(const ListShowOptions &options, Console &console)
{
    const QString &path = options.listPath;
    const std::optional<SongList> list = readSongListOrReport(path, console);
    if (!list)
        return ExitRefused;
    const QString shown = QDir::toNativeSeparators(path);
    if (options.json) {
        QJsonArray entries;
        for (qsizetype i = 0; i < list->entries.size(); ++i) {
            const ChartHeader header = *parseChartHeader(list->entries[i]);
            QJsonObject entry = headerFieldsJson(recordFieldsOf(header), console);
            entry.insert(QStringLiteral("entry"), i + 1);
            for (int d = 0; d < DifficultyCount; ++d)
                entry.insert(QStringLiteral("duration") + QLatin1String(difficultyName(d)), header.durations[size_t(d)]);
            entries.append(entry);
        }
        const QJsonObject result{{QStringLiteral("file"), shown},
                                 {QStringLiteral("codePage"), console.codec.codePage()},
                                 {QStringLiteral("extraSectionsSize"), list->extraSections.size()},
                                 {QStringLiteral("entries"), entries}};
        console.out << QJsonDocument(result).toJson(QJsonDocument::Compact) << '\n';
    } else {
        console.out << fieldBlock({{QStringLiteral("Song list"), shown},
                                   {QStringLiteral("Entries"), QString::number(list->entries.size())},
                                   {QStringLiteral("Extra sections"), QStringLiteral("%1 bytes").arg(list->extraSections.size())}});
        for (qsizetype i = 0; i < list->entries.size(); ++i) {
            const ChartHeader header = *parseChartHeader(list->entries[i]);
            FieldLines lines = headerFieldLines(recordFieldsOf(header), console);
            lines.prepend({QStringLiteral("Entry"), QString::number(i + 1)});
            for (int d = 0; d < DifficultyCount; ++d)
                lines.append({QStringLiteral("Length ") + QLatin1String(difficultyName(d)), durationText(header.durations[size_t(d)])});
            console.out << '\n' << fieldBlock(lines);
        }
    }
    console.out.flush();
    return ExitOk;
}

} // namespace

CommandSpec listShowCommand()
{
    return {QStringLiteral("list"), QStringLiteral("show"), {switchOption(QStringLiteral("json"))},
            {1, 1, QStringLiteral("give one song list.")}, parsedInto(parseListShowOptions, runListShow)};
}

} // namespace ojn::cli
