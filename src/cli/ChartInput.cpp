#include "cli/ChartInput.h"

#include "model/ChartReader.h"

namespace ojn::cli {

std::optional<ChartRecord> readChartOrReport(const QString &path, Console &console)
{
    ChartReadResult result = readChartFile(path);
    if (result.status == ChartReadStatus::Read)
        return std::move(result.record);
    console.fileError(path, result.error);
    return std::nullopt;
}

} // namespace ojn::cli
