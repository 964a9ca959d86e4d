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

Outcome editChartFile(const QString &path, const ChartEdits &edits, const TextCodec &codec, const QLocale &locale,
                      const QString &target)
{
    ChartReadResult read = readChartFile(path);
    if (read.status != ChartReadStatus::Read)
        return Outcome::failure(read.error);
    if (Outcome applied = applyFieldEdits(edits.fields, read.record, codec, locale); !applied.ok())
        return applied;
    if (edits.cover)
        read.record.FullImageData = *edits.cover;
    if (edits.thumbnail)
        read.record.SmallFrameData = *edits.thumbnail;
    return saveChartFile(read.record, target.isEmpty() ? path : target);
}

} // namespace ojn
