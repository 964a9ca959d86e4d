#include "cli/ShowCommand.h"

#include "cli/ChartInput.h"
#include "cli/PictureInfo.h"
#include "model/ChartLayout.h"
#include "model/FieldValues.h"
#include "model/NumberText.h"

#include <QDir>
#include <QJsonDocument>

#include <cmath>

namespace ojn::cli {
namespace {

// Control characters would break the one-field-per-line form; they are
// shown as \xNN (the JSON form gives the exact bytes).
QString printable(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString genreShown(qint16 genre)
{
    if (genre >= 0 && genre < GenreCount)
        return genreNames()[size_t(genre)];
    return QStringLiteral("%1 (not in the genre list)").arg(genre);
}

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
    const FieldTexts texts = fieldTextsOf(record, console.codec, console.locale);
    const QList<QPair<QString, QString>> lines{
        {QStringLiteral("File"), QDir::toNativeSeparators(record.ChartPath)},
        {QStringLiteral("Song ID"), texts.SongID},
        {QStringLiteral("Title"), printable(texts.Title)},
        {QStringLiteral("Artist"), printable(texts.Artist)},
        {QStringLiteral("Pattern"), printable(texts.Pattern)},
        {QStringLiteral("Genre"), genreShown(record.Genre)},
        {QStringLiteral("OJM file"), printable(texts.OJMFile)},
        {QStringLiteral("BPM"), texts.BPM},
        {QStringLiteral("Level Ex"), texts.LevelEx},
        {QStringLiteral("Level Nx"), texts.LevelNx},
        {QStringLiteral("Level Hx"), texts.LevelHx},
        {QStringLiteral("Notes Ex"), texts.NoteCountEx},
        {QStringLiteral("Notes Nx"), texts.NoteCountNx},
        {QStringLiteral("Notes Hx"), texts.NoteCountHx},
        {QStringLiteral("Cover"), pictureShown(record.FullImageData)},
        {QStringLiteral("Thumbnail"), pictureShown(record.SmallFrameData)},
    };
    QString block;
    for (const auto &[name, value] : lines)
        block += QStringLiteral("%1 %2\n").arg(name + QLatin1Char(':'), -10).arg(value);
    return block;
}

QJsonObject headerJson(const ChartRecord &record, const Console &console)
{
    const TextCodec &codec = console.codec;
    const bool genreListed = record.Genre >= 0 && record.Genre < GenreCount;
    const qint64 coverOffset = record.ChartBodyData.size();
    return QJsonObject{
        {QStringLiteral("file"), QDir::toNativeSeparators(record.ChartPath)},
        {QStringLiteral("songId"), record.SongID},
        {QStringLiteral("title"), codec.decode(record.Title)},
        {QStringLiteral("titleHex"), QString::fromLatin1(record.Title.toHex())},
        {QStringLiteral("artist"), codec.decode(record.Artist)},
        {QStringLiteral("artistHex"), QString::fromLatin1(record.Artist.toHex())},
        {QStringLiteral("pattern"), codec.decode(record.Pattern)},
        {QStringLiteral("patternHex"), QString::fromLatin1(record.Pattern.toHex())},
        {QStringLiteral("ojmFile"), codec.decode(record.OJMFile)},
        {QStringLiteral("ojmFileHex"), QString::fromLatin1(record.OJMFile.toHex())},
        {QStringLiteral("genre"), record.Genre},
        {QStringLiteral("genreName"), genreListed ? QJsonValue(genreNames()[size_t(record.Genre)]) : QJsonValue()},
        // The stored single exactly (as a double); bpmText is the editor's form.
        {QStringLiteral("bpm"), std::isfinite(record.BPM) ? QJsonValue(double(record.BPM)) : QJsonValue()},
        {QStringLiteral("bpmText"), bpmText(record.BPM, console.locale)},
        {QStringLiteral("levelEx"), record.LevelEx},
        {QStringLiteral("levelNx"), record.LevelNx},
        {QStringLiteral("levelHx"), record.LevelHx},
        {QStringLiteral("noteCountEx"), record.NoteCountEx},
        {QStringLiteral("noteCountNx"), record.NoteCountNx},
        {QStringLiteral("noteCountHx"), record.NoteCountHx},
        {QStringLiteral("codePage"), codec.codePage()},
        {QStringLiteral("cover"), pictureJson(coverOffset, record.FullImageData)},
        {QStringLiteral("thumbnail"), pictureJson(coverOffset + record.FullImageData.size(), record.SmallFrameData)},
    };
}

int runShow(const QStringList &files, bool json, Console &console)
{
    int status = ExitOk;
    bool first = true;
    for (const QString &path : files) {
        const std::optional<ChartRecord> record = readChartOrReport(path, console);
        if (!record) {
            status = ExitRefused;
            continue;
        }
        if (json) {
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

} // namespace ojn::cli
