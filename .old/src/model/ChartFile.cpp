#include "model/ChartFile.h"

#include "model/ChartReader.h"
#include "model/ChartWriter.h"
#include "fileio/SafeFileWriter.h"
#include "filekinds/OutputTarget.h"

#include <QDir>

namespace ojn {

Result<> saveChartFile(const ChartRecord &record, const QString &path)
{
    if (Result<> check = checkWritable(record); !check.ok()) {
        return Result<>::failure(QStringLiteral("Could not save %1: %2").arg(QDir::toNativeSeparators(path), check.error()));
    }
    if (Result<> target = checkOutputTarget(path, FileKind::Chart); !target.ok())
        return target;
    return writeFileSafely(path, [&record](QIODevice &device) { return writeChart(record, device); });
}

Result<> editChartFile(const QString &path, const ChartEdits &edits, const TextCodec &codec, const QLocale &locale,
                      const QString &target)
{
    Result<ChartRecord> read = readChartFile(path);
    if (!read.ok())
        return Failure{read.error()};
    ChartRecord &record = read.value();
    if (Result<> applied = applyFieldEdits(edits.fields, record, codec, locale); !applied.ok())
        return applied;
    if (edits.cover)
        record.FullImageData = *edits.cover;
    if (edits.thumbnail)
        record.SmallFrameData = *edits.thumbnail;
    return saveChartFile(record, target.isEmpty() ? path : target);
}

} // namespace ojn
