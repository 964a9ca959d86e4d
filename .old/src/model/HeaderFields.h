#pragma once

#include "model/ChartRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <variant>

namespace ojn {

// The header fields a user sees, each described once, in the table of
// HeaderFields.cpp. Every front end takes its list of fields from there:
// the editor's boxes, ojn-header's options, texts and JSON keys, the Music
// Folder table's columns and Edit Selected. The order is the order they
// are shown and written in.
enum class HeaderField {
    SongId, Title, Artist, Pattern, Genre, OjmFile, Bpm,
    LevelEx, LevelNx, LevelHx, NoteCountEx, NoteCountNx, NoteCountHx,
};
inline constexpr int HeaderFieldCount = int(HeaderField::NoteCountHx) + 1;

// How a field is stored: a little-endian integer or single, or a text slot.
enum class FieldKind { Int32, Int16, Float32, Text };

using RecordMember = std::variant<qint32 ChartRecord::*, qint16 ChartRecord::*, float ChartRecord::*, QByteArray ChartRecord::*>;

struct HeaderFieldInfo {
    HeaderField field;
    RecordMember member; // where the chart record keeps it
    FieldKind kind;
    qint64 offset;       // in the 300-byte header
    int slotLength;      // a text's slot; at most layout::TextLength bytes are written
    const char *label;   // "Level Hx": messages and ojn-header's text output
    const char *option;  // ojn-header set's option, "level-hx"; empty when not settable
    const char *jsonKey; // "levelHx": JSON output, and the CSV column
    const char *columnTitle; // its short name: the Music Folder table's column, the editor box's accessible name
    int columnWidth;         // the column's width in pixels, set once to fit typical values
    const char *boxName;     // the object name of the box that shows it, in the editor and Edit Selected
    const char *editLabel;   // Edit Selected's label with its mnemonic; empty when it does not offer the field
    bool editable;           // false for the note counts, which are only shown
    bool named;              // shown by the name of its value (the genre), so sorted and filtered as a text
};

// Every field, in HeaderField order.
[[nodiscard]] const std::array<HeaderFieldInfo, HeaderFieldCount> &headerFields();
[[nodiscard]] const HeaderFieldInfo &fieldInfo(HeaderField field);
// The field with this ojn-header option or JSON key, if any.
[[nodiscard]] std::optional<HeaderField> fieldWithOption(QStringView option);
[[nodiscard]] std::optional<HeaderField> fieldWithJsonKey(QStringView key);

// The level and note count fields of a difficulty (Ex 0, Nx 1, Hx 2).
[[nodiscard]] HeaderField levelField(int difficulty);
[[nodiscard]] HeaderField noteCountField(int difficulty);

// A numeric field's value as a double (nothing for a text).
[[nodiscard]] std::optional<double> numberIn(const ChartRecord &record, HeaderField field);
// A text field's raw bytes (empty for a number).
[[nodiscard]] QByteArray textIn(const ChartRecord &record, HeaderField field);

// Reads every field from a header's first 300 bytes into the record: texts
// up to the first zero of their slot.
void readHeaderFields(QByteArrayView header, ChartRecord &record);
// Writes the editable fields into a 300-byte header, in table order: each
// text clears layout::TextClearLength bytes first, which runs into the
// next field's first byte, so every text comes before what its clear
// reaches (see patchedHeader).
void writeHeaderFields(const ChartRecord &record, QByteArray &header);

// The values of the fields as texts (FieldTexts) or as typed edits
// (FieldEdits), one per field.
template <typename T>
struct PerField {
    std::array<T, HeaderFieldCount> values{};
    T &operator[](HeaderField field) { return values[size_t(field)]; }
    const T &operator[](HeaderField field) const { return values[size_t(field)]; }
    bool operator==(const PerField &) const = default;
};

} // namespace ojn
