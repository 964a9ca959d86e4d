#include "folderplans/ChartRewrite.h"

#include "model/ChartReader.h"
#include "model/ChartWriter.h"
#include "model/FieldValues.h"
#include "model/HeaderFields.h"
#include "model/SongId.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace ojn {

Result<QByteArray> chartWithSongId(const QString &path, qint32 songId, const TextCodec &codec)
{
    Result<ChartRecord> read = readChartFile(path);
    if (!read.ok())
        return Failure{read.error()};
    ChartRecord &record = read.value();
    FieldEdits edits;
    edits[HeaderField::SongId] = QString::number(songId);
    edits[HeaderField::OjmFile] = usualOjmName(songId);
    if (Result<> applied = applyFieldEdits(edits, record, codec, QLocale::c()); !applied.ok())
        return Failure{applied.error()};
    if (Result<> writable = checkWritable(record); !writable.ok())
        return Failure{writable.error()};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (Result<> written = writeChart(record, buffer); !written.ok())
        return Failure{written.error()};
    buffer.close();
    return bytes;
}

} // namespace ojn
