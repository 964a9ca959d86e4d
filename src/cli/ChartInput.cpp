#include "cli/ChartInput.h"

#include "model/ChartReader.h"

namespace ojn::cli {

std::optional<ChartRecord> readChartOrReport(const QString &path, Console &console)
{
    ChartReadResult result = readChartFile(path);
    switch (result.status) {
    case ChartReadStatus::Read:
        return std::move(result.record);
    case ChartReadStatus::Encrypted:
        console.fileError(path, encryptedChartMessage());
        return std::nullopt;
    case ChartReadStatus::Failed:
        break;
    }
    console.fileError(path, result.error);
    return std::nullopt;
}

} // namespace ojn::cli
