#include "model/ChartFile.h"

#include "model/ChartWriter.h"
#include "model/SafeFileWriter.h"

#include <QDir>

namespace ojn {

Outcome saveChartFile(const ChartRecord &record, const QString &path)
{
    if (Outcome check = checkWritable(record); !check.ok()) {
        return Outcome::failure(QStringLiteral("Could not save %1: %2").arg(QDir::toNativeSeparators(path), check.error()));
    }
    return writeFileSafely(path, [&record](QIODevice &device) { return writeChart(record, device); });
}

} // namespace ojn
