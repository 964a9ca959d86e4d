#include "folderplans/ChartRewrite.h"

#include "model/ChartReader.h"
#include "model/ChartWriter.h"
#include "model/FieldValues.h"
#include "model/HeaderFields.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace ojn {

QString usualOjmName(qint64 songId)
{
    return QStringLiteral("o2ma%1.ojm").arg(songId);
}

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

bool fileHolds(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.size() != bytes.size() || !file.open(QIODevice::ReadOnly))
        return false;
    return file.readAll() == bytes;
}

bool sameBytes(const QString &a, const QString &b)
{
    QFile first(a), second(b);
    if (first.size() != second.size() || !first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 Piece = 1 << 20;
    while (!first.atEnd()) {
        const QByteArray one = first.read(Piece), other = second.read(Piece);
        if (one != other || one.isEmpty())
            return false;
    }
    return second.atEnd();
}

} // namespace ojn
