#pragma once

#include "model/ChartRecord.h"
#include "model/HeaderFields.h"
#include "text/CodePage.h"
#include "result/Result.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace ojn {

// The texts of the header fields as the user sees them, one per field:
// the editable ones and the note counts, which are only shown. A genre is
// its name; anything else keeps the stored value.
using FieldTexts = PerField<QString>;

// The texts that show the record's current values, in the code page and
// number forms given. A genre outside the list shows as the empty text.
[[nodiscard]] FieldTexts fieldTextsOf(const ChartRecord &record, const TextCodec &codec, const QLocale &locale);

// Turns the editable fields' texts into the record's header values; the
// note counts' texts are not read. Numbers are read in the locale's form,
// integers rounded half to even. A text still equal to what the record's
// bytes show keeps those bytes exactly, and so does a tempo whose text
// still shows the held value. Refuses, naming the field and in the
// fields' order: a text that
// is no number where one belongs, a number outside its field's range, and
// a text that holds a control character (see checkStorableText), needs
// more than 32 bytes or has characters the code page cannot write. The
// genre never refuses. On refusal the record is untouched.
Result<> applyFieldTexts(const FieldTexts &texts, ChartRecord &record, const TextCodec &codec, const QLocale &locale);

// Refuses a text that holds a control character (U+0000 to U+001F, U+007F;
// a line break too): a stored text ends at its first zero, and a chart's
// texts hold none of the others, so it could never be read back as typed.
// The message names the value by `name`, a field's label ("Title") or an
// option ("--title"), and quotes it cut to a readable length. Every field
// text is turned into bytes past this rule; an untouched one keeps its
// bytes, whatever they hold.
[[nodiscard]] Result<> checkStorableText(const QString &name, const QString &text);

// New values for some of the editable fields, as typed; an absent one
// keeps each chart's own value. `ojn-header set` and the Music Folder
// window's "Edit Selected..." both edit charts through these.
struct FieldEdits : PerField<std::optional<QString>> {
    [[nodiscard]] bool any() const
    {
        return std::any_of(values.begin(), values.end(), [](const auto &value) { return value.has_value(); });
    }
};

// The names a named field's values show as (the genres), in value order;
// empty for any other field.
[[nodiscard]] QStringList valueNamesOf(HeaderField field);

// Shown in a field whose charts hold different values.
inline constexpr char KeepText[] = "<keep>";

// The fields Edit Selected offers (those with an edit label in the field
// table), each with the text all the charts share, or "<keep>" where they
// differ; the other fields are empty.
[[nodiscard]] FieldTexts selectedFieldTexts(const QList<FieldTexts> &charts);

// The edits applied to the record as if typed over its own field texts
// (see applyFieldTexts): an untouched field keeps its bytes exactly.
Result<> applyFieldEdits(const FieldEdits &edits, ChartRecord &record, const TextCodec &codec, const QLocale &locale);

} // namespace ojn
