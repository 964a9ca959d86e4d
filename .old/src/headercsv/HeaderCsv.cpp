#include "headercsv/HeaderCsv.h"

#include "fileio/DeviceIo.h"
#include "fileio/SafeFileWriter.h"
#include "filekinds/OutputTarget.h"
#include "model/ChartLayout.h"
#include "model/HeaderFields.h"
#include "text/Csv.h"
#include "text/NumberText.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>

#include <charconv>
#include <cmath>

namespace ojn {

QStringList headerCsvColumns()
{
    QStringList columns{QStringLiteral("file")};
    for (const HeaderFieldInfo &info : headerFields())
        columns << QLatin1String(info.jsonKey);
    return columns;
}

QString csvBpmText(float value)
{
    if (!std::isfinite(value))
        return bpmText(value, QLocale::c());
    char text[32];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
    return QString::fromLatin1(text, end.ptr - text);
}

QString csvGenreText(qint16 genre)
{
    return genre >= 0 && genre < GenreCount ? genreNames()[size_t(genre)] : integerText(genre);
}

ChartRecord csvRecordOf(const ChartHeader &header)
{
    ChartRecord record = recordFieldsOf(header);
    record.Title.truncate(layout::TextLength);
    return record;
}

QStringList headerCsvCells(const ChartRecord &record, const TextCodec &codec)
{
    QStringList cells;
    for (const HeaderFieldInfo &info : headerFields()) {
        if (info.field == HeaderField::Genre)
            cells << csvGenreText(record.Genre);
        else if (info.kind == FieldKind::Float32)
            cells << csvBpmText(record.BPM);
        else if (info.kind == FieldKind::Text)
            cells << codec.decode(textIn(record, info.field));
        else
            cells << integerText(qint64(*numberIn(record, info.field)));
    }
    return cells;
}

QString csvFileCell(const QString &chartPath, const QString &folder)
{
    // A plain prefix test: QDir::relativeFilePath costs more than reading
    // the header, and a path outside the folder is absolute anyway.
    const QString absolute = QDir::cleanPath(QFileInfo(chartPath).absoluteFilePath());
    QString base = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return absolute.startsWith(base) ? absolute.sliced(base.size()) : absolute;
}

QString chartPathOfCell(const QString &cell, const QString &folder)
{
    const QString path = QDir::fromNativeSeparators(cell);
    return QDir::isAbsolutePath(path) ? QDir::cleanPath(path) : QDir::cleanPath(QDir(folder).absoluteFilePath(path));
}

HeaderCsvExport exportHeaderCsv(const QList<ChartScan> &charts, const QString &folder, const TextCodec &codec)
{
    HeaderCsvExport result;
    result.bytes = csvByteOrderMark() + csvLine(headerCsvColumns());
    for (const ChartScan &chart : charts) {
        if (!chart.header) {
            result.leftOut.append(chart);
            continue;
        }
        result.bytes += csvLine(QStringList{csvFileCell(chart.path, folder)} + headerCsvCells(csvRecordOf(*chart.header), codec));
        ++result.rows;
    }
    return result;
}

Result<> checkCsvTarget(const QString &path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    for (const QString &name : {path, resolved}) {
        if (name.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive) || name.endsWith(QLatin1String(".ojm"), Qt::CaseInsensitive)) {
            return Result<>::failure(QStringLiteral("Could not save %1: it is a chart or its music (%2), and a CSV never replaces one.")
                                        .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(name)));
        }
    }
    return checkOutputTarget(path, FileKind::Csv);
}

Result<> writeHeaderCsvFile(const HeaderCsvExport &csv, const QString &path)
{
    if (Result<> target = checkCsvTarget(path); !target.ok())
        return target;
    return writeFileSafely(path, [&csv](QIODevice &device) { return writeBytes(device, csv.bytes, QStringLiteral("the CSV")); });
}

} // namespace ojn
