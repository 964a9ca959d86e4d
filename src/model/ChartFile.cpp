#include "model/ChartFile.h"

#include "model/ChartReader.h"
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

Outcome editChartFile(const QString &path, const FieldEdits &edits, const TextCodec &codec, const QLocale &locale)
{
    ChartReadResult read = readChartFile(path);
    if (read.status == ChartReadStatus::Encrypted)
        return Outcome::failure(encryptedChartMessage());
    if (read.status == ChartReadStatus::Failed)
        return Outcome::failure(read.error);
    if (Outcome applied = applyFieldEdits(edits, read.record, codec, locale); !applied.ok())
        return applied;
    return saveChartFile(read.record, path);
}

} // namespace ojn
