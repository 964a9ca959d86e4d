#include "cli/ChartInput.h"

#include "model/ChartReader.h"

namespace ojn::cli {

std::optional<ChartRecord> readChartOrReport(const QString &path, Console &console)
{
    Result<ChartRecord> result = readChartFile(path);
    if (result.ok())
        return std::move(result).value();
    console.fileError(path, result.error());
    return std::nullopt;
}

} // namespace ojn::cli
