#pragma once

#include "result/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace ojn {

// Comma-separated values as RFC 4180 has them: fields split by commas,
// records by line breaks, a field in double quotes may hold commas, line
// breaks and quotes (doubled). Written with CRLF; read with CRLF, LF or CR.

// One record as read: the line it starts on (1 for the first), its
// fields, and why it is malformed (a stray quote, text after a closing
// quote, a quote never closed), empty when it is not. A malformed record
// ends at its line's end, so the records after it are still read.
struct CsvRecord {
    qsizetype line = 0;
    QStringList fields;
    QString error;
};

// The records of a text. A line break at the very end ends the last
// record and starts none; a line with nothing on it is a record of one
// empty field, for the caller to skip or refuse.
[[nodiscard]] QList<CsvRecord> readCsv(QStringView text);

// A file's bytes as text: UTF-8, with or without a byte order mark.
// Refuses bytes that are not UTF-8, naming the first bad byte's place.
[[nodiscard]] Result<QString> csvTextOf(const QByteArray &bytes);

// The field as a cell: in quotes when it holds a comma, a quote or a line
// break, else as it is.
[[nodiscard]] QString csvField(const QString &field);
// The record as a line of UTF-8 ended by CRLF.
[[nodiscard]] QByteArray csvLine(const QStringList &fields);
// What a CSV file starts with so that spreadsheets read it as UTF-8.
[[nodiscard]] QByteArray csvByteOrderMark();

} // namespace ojn
