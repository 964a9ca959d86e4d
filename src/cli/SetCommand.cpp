#include "cli/SetCommand.h"

#include "model/ChartFile.h"
#include "model/ChartLayout.h"
#include "pictures/PictureFile.h"

namespace ojn::cli {
namespace {

QString genreList()
{
    QStringList entries;
    for (int value = 0; value < GenreCount; ++value)
        entries << QStringLiteral("%1 %2").arg(value).arg(genreNames()[size_t(value)]);
    return entries.join(QStringLiteral(", "));
}

// A replacement picture, read and checked as the editor's Change Full
// Image and Change Small Frame do it.
std::optional<QByteArray> readPicture(const QString &path, Console &console)
{
    PictureFileContent content;
    if (const Result<> read = readPictureFile(path, content); !read.ok()) {
        console.error(read.error());
        return std::nullopt;
    }
    return std::move(content.bytes);
}

// Everything the command line asks for, checked once for all charts (the
// genre as a name).
std::optional<ChartEdits> checkedChanges(const Invocation &invocation, Console &console)
{
    ChartEdits changes;
    changes.fields = invocation.edits;
    if (const std::optional<QString> &genre = invocation.edits[HeaderField::Genre]) {
        changes.fields[HeaderField::Genre] = genreNameFor(*genre);
        if (!changes.fields[HeaderField::Genre]) {
            console.error(QStringLiteral("Genre: \"%1\" is not in the genre list; give a name or its number: %2.")
                              .arg(*genre, genreList()));
            return std::nullopt;
        }
    }
    // The texts and numbers pass or fail the same way for every chart, so
    // a trial on an empty chart finds a bad value before any file is read.
    ChartRecord trial;
    if (Result<> check = applyFieldEdits(changes.fields, trial, console.codec, console.locale); !check.ok()) {
        console.error(check.error());
        return std::nullopt;
    }
    if (invocation.coverPath) {
        changes.cover = readPicture(*invocation.coverPath, console);
        if (!changes.cover)
            return std::nullopt;
    }
    if (invocation.thumbnailPath) {
        changes.thumbnail = readPicture(*invocation.thumbnailPath, console);
        if (!changes.thumbnail)
            return std::nullopt;
    }
    return changes;
}

} // namespace

std::optional<QString> genreNameFor(const QString &value)
{
    if (genreValueOf(value) >= 0)
        return value;
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    if (isNumber && number >= 0 && number < GenreCount)
        return genreNames()[size_t(number)];
    return std::nullopt;
}

int runSet(const Invocation &invocation, Console &console)
{
    const std::optional<ChartEdits> changes = checkedChanges(invocation, console);
    if (!changes)
        return ExitUsage;
    int status = ExitOk;
    for (const QString &path : invocation.files) {
        const Result<> edited = editChartFile(path, *changes, console.codec, console.locale, invocation.outputPath.value_or(QString()));
        if (!edited.ok()) {
            console.fileError(path, edited.error());
            status = ExitRefused;
        }
    }
    return status;
}

} // namespace ojn::cli
