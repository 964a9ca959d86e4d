#pragma once

#include "model/ChartRecord.h"
#include "model/CodePage.h"
#include "model/Outcome.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace ojn {

// The texts of the editable header fields, as the user sees them.
struct FieldTexts {
    QString SongID;
    QString Title;
    QString Artist;
    QString Pattern;
    QString OJMFile;
    QString Genre; // a genre name, or anything else to keep the stored value
    QString BPM;
    QString LevelEx;
    QString LevelNx;
    QString LevelHx;
};

// The texts that show the record's current values.
[[nodiscard]] FieldTexts fieldTextsOf(const ChartRecord &record, const TextCodec &codec, const QLocale &locale);

// Turns the field texts into the record's header values, in the order
// SongID, Title, Artist, Pattern, OJMFile, Genre, BPM and the levels.
// Integers are rounded half to even. A text still equal to what the
// record's bytes show keeps those bytes exactly, and so does a tempo whose
// text still shows the held value. Refuses, naming the field, a text that
// needs more than 32 bytes or has characters the code page cannot write,
// and a number outside its field's range. On refusal the record is
// untouched.
Outcome applyFieldTexts(const FieldTexts &texts, ChartRecord &record, const TextCodec &codec, const QLocale &locale);

// New values for some of the editable fields, as typed; an absent one
// keeps each chart's own value. `ojn-header set` and the Music Folder
// window's "Edit Selected..." both edit charts through these.
struct FieldEdits {
    std::optional<QString> SongID, Title, Artist, Pattern, OJMFile, Genre, BPM, LevelEx, LevelNx, LevelHx;

    bool any() const
    {
        return SongID || Title || Artist || Pattern || OJMFile || Genre || BPM || LevelEx || LevelNx || LevelHx;
    }
};

// The field texts with the given edits typed over them.
[[nodiscard]] FieldTexts withEdits(FieldTexts texts, const FieldEdits &edits);

// The edits applied to the record as if typed over its own field texts
// (see applyFieldTexts): an untouched field keeps its bytes exactly.
Outcome applyFieldEdits(const FieldEdits &edits, ChartRecord &record, const TextCodec &codec, const QLocale &locale);

} // namespace ojn
