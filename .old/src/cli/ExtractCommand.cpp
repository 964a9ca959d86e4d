#include "cli/ChartInput.h"
#include "cli/Command.h"
#include "fileio/FileIdentity.h"
#include "pictures/PictureFile.h"

#include <QDir>
#include <QFileInfo>

namespace ojn::cli {
namespace {

struct ExtractOptions {
    QString chartPath;
    std::optional<QString> coverPath; // where to write the cover
    std::optional<QString> thumbnailPath;
};

const QString coverOption = QStringLiteral("cover");
const QString thumbnailOption = QStringLiteral("thumbnail");

Result<ExtractOptions> parseExtractOptions(const CommandArguments &arguments)
{
    if (arguments.paths.size() > 1)
        return arguments.usageError(QStringLiteral("takes one chart file, not %1.").arg(arguments.paths.size()));
    const ExtractOptions options{arguments.paths.first(), arguments.value(coverOption), arguments.value(thumbnailOption)};
    if (!options.coverPath && !options.thumbnailPath)
        return arguments.usageError(QStringLiteral("give --cover OUT, --thumbnail OUT or both."));
    return options;
}

// Two names for one file (also through a link or "..", and in another
// case on Windows), or for one that is not there yet.
bool samePlace(const QString &a, const QString &b)
{
    const auto where = [](const QString &path) {
        const QFileInfo info(path);
        const QString canonical = info.canonicalFilePath();
        return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
    };
    return isSameFile(a, b) || where(a) == where(b);
}

bool writePicture(const QByteArray &bytes, const QString &path, Console &console)
{
    const Result<> written = writePictureFile(path, bytes);
    if (!written.ok())
        console.fileError(path, written.error());
    return written.ok();
}

// Writes the cover and/or the thumbnail of one chart to files, their
// stored bytes exactly, each replaced safely.
int runExtract(const ExtractOptions &options, Console &console)
{
    const QString &chartPath = options.chartPath;
    const std::optional<QString> &coverPath = options.coverPath;
    const std::optional<QString> &thumbnailPath = options.thumbnailPath;
    for (const std::optional<QString> &out : {coverPath, thumbnailPath}) {
        if (out && samePlace(*out, chartPath)) {
            console.error(QStringLiteral("extract: %1 is the chart itself; give another file to write the picture to.")
                              .arg(QDir::toNativeSeparators(*out)));
            return ExitUsage;
        }
    }
    if (coverPath && thumbnailPath && samePlace(*coverPath, *thumbnailPath)) {
        console.error(QStringLiteral("extract: the cover and the thumbnail cannot both go to %1.")
                          .arg(QDir::toNativeSeparators(*coverPath)));
        return ExitUsage;
    }
    // A chart, an OJM or a song list is never replaced by a picture.
    for (const std::optional<QString> &out : {coverPath, thumbnailPath}) {
        if (const Result<> target = out ? checkPictureTarget(*out) : Result<>::success(); !target.ok()) {
            console.error(target.error());
            return ExitUsage;
        }
    }

    const std::optional<ChartRecord> record = readChartOrReport(chartPath, console);
    if (!record)
        return ExitRefused;
    bool ok = true;
    if (coverPath)
        ok = writePicture(record->FullImageData, *coverPath, console) && ok;
    if (thumbnailPath)
        ok = writePicture(record->SmallFrameData, *thumbnailPath, console) && ok;
    return ok ? ExitOk : ExitRefused;
}

} // namespace

CommandSpec extractCommand()
{
    return {QString(), QStringLiteral("extract"), {valueOption(coverOption), valueOption(thumbnailOption)},
            {1, -1, QStringLiteral("no chart file given.")}, parsedInto(parseExtractOptions, runExtract)};
}

} // namespace ojn::cli
