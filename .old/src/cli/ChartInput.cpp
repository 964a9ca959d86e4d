#include "cli/ChartInput.h"

#include "fileio/NotRegularFile.h"
#include "model/ChartReader.h"

#include <QFileInfo>

namespace ojn::cli {

QString notAChartFileReason(const QString &path)
{
    const QFileInfo info(path);
    if (info.isFile())
        return QString();
    // Opening a pipe or a device would wait or read for ever.
    if (const QString why = notRegularFileReason(path); !why.isEmpty())
        return QStringLiteral("The chart cannot be read: %1.").arg(why);
    if (!info.exists())
        return QStringLiteral("There is no such file or folder.");
    return QStringLiteral("It is not a regular file, so it is no chart.");
}

std::optional<ChartRecord> readChartOrReport(const QString &path, Console &console)
{
    Result<ChartRecord> result = readChartFile(path);
    if (result.ok())
        return std::move(result).value();
    console.fileError(path, result.error());
    return std::nullopt;
}

} // namespace ojn::cli
