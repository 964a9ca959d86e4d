#include "cli/ShowCommand.h"

#include "cli/ChartInput.h"
#include "cli/Command.h"
#include "cli/HeaderText.h"
#include "cli/PictureInfo.h"

#include <QDir>
#include <QJsonDocument>

namespace ojn::cli {
namespace {

QString pictureShown(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("none (0 bytes)");
    const PictureInfo info = pictureInfoOf(bytes);
    QString shown = QStringLiteral("%1 bytes, ").arg(bytes.size());
    if (info.format.isEmpty())
        return shown + QStringLiteral("not a picture");
    shown += info.format.toUpper();
    if (info.size.isValid())
        shown += QStringLiteral(" %1 x %2").arg(info.size.width()).arg(info.size.height());
    return shown;
}

QJsonObject pictureJson(qint64 offset, const QByteArray &bytes)
{
    const PictureInfo info = pictureInfoOf(bytes);
    const bool known = !info.format.isEmpty();
    const bool sized = known && info.size.isValid();
    return QJsonObject{
        {QStringLiteral("offset"), double(offset)},
        {QStringLiteral("size"), double(bytes.size())},
        {QStringLiteral("format"), known ? QJsonValue(info.format) : QJsonValue()},
        {QStringLiteral("width"), sized ? QJsonValue(info.size.width()) : QJsonValue()},
        {QStringLiteral("height"), sized ? QJsonValue(info.size.height()) : QJsonValue()},
    };
}

} // namespace

QString headerBlock(const ChartRecord &record, const Console &console)
{
    FieldLines lines = headerFieldLines(record, console);
    lines.prepend({QStringLiteral("File"), QDir::toNativeSeparators(record.ChartPath)});
    lines.append({QStringLiteral("Cover"), pictureShown(record.FullImageData)});
    lines.append({QStringLiteral("Thumbnail"), pictureShown(record.SmallFrameData)});
    return fieldBlock(lines);
}

QJsonObject headerJson(const ChartRecord &record, const Console &console)
{
    const qint64 coverOffset = record.ChartBodyData.size();
    QJsonObject header = headerFieldsJson(record, console);
    header.insert(QStringLiteral("file"), QDir::toNativeSeparators(record.ChartPath));
    header.insert(QStringLiteral("cover"), pictureJson(coverOffset, record.FullImageData));
    header.insert(QStringLiteral("thumbnail"), pictureJson(coverOffset + record.FullImageData.size(), record.SmallFrameData));
    return header;
}

namespace {

struct ShowOptions {
    QStringList files;
    bool json = false;
};

Result<ShowOptions> parseShowOptions(const CommandArguments &arguments)
{
    return ShowOptions{arguments.paths, arguments.options.isSet(QStringLiteral("json"))};
}

// Prints every chart that can be read; reports the others and returns
// ExitRefused when there was one.
int runShow(const ShowOptions &options, Console &console)
{
    int status = ExitOk;
    bool first = true;
    for (const QString &path : options.files) {
        const std::optional<ChartRecord> record = readChartOrReport(path, console);
        if (!record) {
            status = ExitRefused;
            continue;
        }
        if (options.json) {
            console.out << QJsonDocument(headerJson(*record, console)).toJson(QJsonDocument::Compact) << '\n';
        } else {
            if (!first)
                console.out << '\n';
            console.out << headerBlock(*record, console);
        }
        console.out.flush();
        first = false;
    }
    return status;
}

} // namespace

CommandSpec showCommand()
{
    return {QString(), QStringLiteral("show"), {switchOption(QStringLiteral("json"))},
            {1, -1, QStringLiteral("no chart file given.")}, parsedInto(parseShowOptions, runShow)};
}

} // namespace ojn::cli
