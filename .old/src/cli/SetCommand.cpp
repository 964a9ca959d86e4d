#include "cli/Command.h"
#include "filekinds/OutputTarget.h"
#include "fileio/FileIdentity.h"
#include "model/ChartFile.h"
#include "model/ChartLayout.h"
#include "model/FieldValues.h"
#include "model/HeaderFields.h"
#include "pictures/PictureFile.h"
#include "text/MessageText.h"

#include <QDir>

namespace ojn::cli {
namespace {

struct SetOptions {
    QStringList files;
    FieldEdits edits;
    std::optional<QString> coverPath;
    std::optional<QString> thumbnailPath;
    std::optional<QString> outputPath; // where to write instead of the chart itself
};

const QString coverOption = QStringLiteral("cover");
const QString thumbnailOption = QStringLiteral("thumbnail");
const QString outputOption = QStringLiteral("output");

QList<QCommandLineOption> setOptions()
{
    QList<QCommandLineOption> options;
    for (const HeaderFieldInfo &info : headerFields()) {
        if (*info.option)
            options << valueOption(QLatin1String(info.option));
    }
    return options << valueOption(coverOption) << valueOption(thumbnailOption) << valueOption(outputOption);
}

Result<SetOptions> parseSetOptions(const CommandArguments &arguments)
{
    SetOptions options;
    options.files = arguments.paths;
    for (const HeaderFieldInfo &info : headerFields()) {
        if (*info.option)
            options.edits[info.field] = arguments.value(QLatin1String(info.option));
    }
    options.coverPath = arguments.value(coverOption);
    options.thumbnailPath = arguments.value(thumbnailOption);
    options.outputPath = arguments.value(outputOption);
    if (options.outputPath && options.files.size() > 1)
        return arguments.usageError(QStringLiteral("--output takes one chart file, not %1.").arg(options.files.size()));
    // A bare `set FILE` would rewrite the chart for nothing; a copy
    // through --output is a deliberate save under a new name.
    if (!options.edits.any() && !options.coverPath && !options.thumbnailPath && !options.outputPath)
        return arguments.usageError(QStringLiteral("nothing to change; give at least one field, picture or --output."));
    return options;
}

// The genre name that a --genre value stands for: a name from the list
// (exact) or its number 0 to 10; nothing for anything else.
std::optional<QString> genreNameFor(const QString &value)
{
    const int genre = genreNamedOrNumbered(value);
    return genre >= 0 ? std::optional<QString>(genreNames()[size_t(genre)]) : std::nullopt;
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
std::optional<ChartEdits> checkedChanges(const SetOptions &options, Console &console)
{
    ChartEdits changes;
    changes.fields = options.edits;
    if (const std::optional<QString> &genre = options.edits[HeaderField::Genre]) {
        changes.fields[HeaderField::Genre] = genreNameFor(*genre);
        if (!changes.fields[HeaderField::Genre]) {
            console.error(QStringLiteral("%1: %2 is not in the genre list; give a name or its number: %3.")
                              .arg(QLatin1String(fieldInfo(HeaderField::Genre).label), quotedForMessage(*genre), genreListText()));
            return std::nullopt;
        }
    }
    // The field rule's own check, first, to name the option that broke it.
    for (const HeaderFieldInfo &info : headerFields()) {
        const std::optional<QString> &text = options.edits[info.field];
        if (info.kind != FieldKind::Text || !text)
            continue;
        if (Result<> storable = checkStorableText(QStringLiteral("--") + QLatin1String(info.option), *text); !storable.ok()) {
            console.error(storable.error());
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
    if (options.coverPath) {
        changes.cover = readPicture(*options.coverPath, console);
        if (!changes.cover)
            return std::nullopt;
    }
    if (options.thumbnailPath) {
        changes.thumbnail = readPicture(*options.thumbnailPath, console);
        if (!changes.thumbnail)
            return std::nullopt;
    }
    return changes;
}

// --output naming the chart itself, under any path or link, would change
// it in place, and one naming an OJM or a song list would replace it:
// both are usage errors.
bool outputUsable(const SetOptions &options, Console &console)
{
    if (!options.outputPath)
        return true;
    const QString &output = *options.outputPath;
    if (isSameFile(output, options.files.first())) {
        console.error(QStringLiteral("set: %1 is the chart itself; give another file to write to, or leave --output out to change the chart in place.")
                          .arg(QDir::toNativeSeparators(output)));
        return false;
    }
    if (const Result<> target = checkOutputTarget(output, FileKind::Chart); !target.ok()) {
        console.error(target.error());
        return false;
    }
    return true;
}

// Checks the output and every value once, before any chart is read (a bad
// value is a usage error), then changes and writes each chart in turn,
// going on past the ones that are refused or fail to write.
int runSet(const SetOptions &options, Console &console)
{
    if (!outputUsable(options, console))
        return ExitUsage;
    const std::optional<ChartEdits> changes = checkedChanges(options, console);
    if (!changes)
        return ExitUsage;
    int status = ExitOk;
    for (const QString &path : options.files) {
        const Result<> edited = editChartFile(path, *changes, console.codec, console.locale, options.outputPath.value_or(QString()));
        if (!edited.ok()) {
            console.fileError(path, edited.error());
            status = ExitRefused;
        }
    }
    return status;
}

} // namespace

CommandSpec setCommand()
{
    return {QString(), QStringLiteral("set"), setOptions(), {1, -1, QStringLiteral("no chart file given.")},
            parsedInto(parseSetOptions, runSet)};
}

} // namespace ojn::cli
