#pragma once

#include "cli/Console.h"
#include "model/ChartRecord.h"

#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>

namespace ojn::cli {

// How header fields are shown, the same for a chart (`show`) and a song
// list entry (`list show`).

// Control characters would break the one-field-per-line form; they are
// shown as \xNN (the JSON form gives the exact bytes).
[[nodiscard]] QString printable(const QString &text);

using FieldLines = QList<QPair<QString, QString>>;

// Every field of the field table, labelled and shown as the editor shows
// it.
[[nodiscard]] FieldLines headerFieldLines(const ChartRecord &record, const Console &console);

// One "Name:     value" line per field.
[[nodiscard]] QString fieldBlock(const FieldLines &lines);

// The same fields for scripts: decoded texts with their stored bytes in
// hex, the numbers as stored, and the code page the texts were read in.
[[nodiscard]] QJsonObject headerFieldsJson(const ChartRecord &record, const Console &console);

} // namespace ojn::cli
