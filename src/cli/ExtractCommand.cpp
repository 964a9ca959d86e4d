#include "cli/ExtractCommand.h"

#include "cli/ChartInput.h"
#include "pictures/PictureFile.h"

#include <QDir>
#include <QFileInfo>

namespace ojn::cli {
namespace {

// Two names for one file (also through a link or "..").
bool samePlace(const QString &a, const QString &b)
{
    const auto where = [](const QString &path) {
        const QFileInfo info(path);
        const QString canonical = info.canonicalFilePath();
        return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
    };
    return where(a) == where(b);
}

bool writePicture(const QByteArray &bytes, const QString &path, Console &console)
{
    const Result<> written = writePictureFile(path, bytes);
    if (!written.ok())
        console.fileError(path, written.error());
    return written.ok();
}

} // namespace

int runExtract(const Invocation &invocation, Console &console)
{
    const QString &chartPath = invocation.files.first();
    const std::optional<QString> &coverPath = invocation.coverPath;
    const std::optional<QString> &thumbnailPath = invocation.thumbnailPath;
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

} // namespace ojn::cli
