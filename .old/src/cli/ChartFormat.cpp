#include "cli/ChartFormat.h"

#include "cli/HeaderText.h"
#include "cli/PictureInfo.h"

#include <QDir>

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

// The header as the editor shows it, one "Name: value" line per field.
QString headerBlock(const ChartRecord &record, const Console &console)
{
    FieldLines lines = headerFieldLines(record, console);
    lines.prepend({QStringLiteral("File"), QDir::toNativeSeparators(record.ChartPath)});
    lines.append({QStringLiteral("Cover"), pictureShown(record.FullImageData)});
    lines.append({QStringLiteral("Thumbnail"), pictureShown(record.SmallFrameData)});
    return fieldBlock(lines);
}

// The header for scripts: decoded texts with their stored bytes in hex.
QJsonObject headerJson(const ChartRecord &record, const Console &console)
{
    const qint64 coverOffset = record.ChartBodyData.size();
    QJsonObject header = headerFieldsJson(record, console);
    header.insert(QStringLiteral("file"), QDir::toNativeSeparators(record.ChartPath));
    header.insert(QStringLiteral("cover"), pictureJson(coverOffset, record.FullImageData));
    header.insert(QStringLiteral("thumbnail"), pictureJson(coverOffset + record.FullImageData.size(), record.SmallFrameData));
    return header;
}

} // namespace

RecordFormat<ChartRecord> chartFormat()
{
    return {headerBlock, headerJson};
}

} // namespace ojn::cli
