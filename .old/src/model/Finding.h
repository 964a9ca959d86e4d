#pragma once

#include <QList>
#include <QString>

namespace ojn {

// What a check found in a chart or a folder. The file it concerns is known
// to the caller, so the text says what is wrong in plain words without
// naming it.
enum class FindingType {
    // One chart, from its header and size:
    Unreadable,     // the file could not be read, or an encrypted chart does not decrypt to one
    Malformed,      // a fault for which the editor refuses to open the chart
    NoSignature,    // bytes 4 to 7 are not "ojn" and a zero byte
    SectionOffsets, // note sections not at 300 for Ex, out of order, or past the cover
    Encrypted,      // a note: the header was read by decrypting the chart in memory
    TrailingBytes,  // a note: bytes after the thumbnail, which a save drops
    // One chart, from its note sections:
    NoteSection,    // a package walk that does not end exactly at the next section
    // A folder of charts:
    DuplicateSongId,
    FileNameSongId, // an o2ma<N>.ojn or o2ma<N>_<v>.ojn whose header holds another ID
    OjmMissing,     // the header's OJM is not in the folder, or cannot be read
    OjmName,        // a note: an OJM not named o2ma<ID>.ojm
    InvalidSongId,  // a song ID below 0, for which no file can be named
};

enum class Severity { Problem, Note };

[[nodiscard]] Severity severityOf(FindingType type);

// A short fixed name for the type, for machine-readable output
// ("duplicate-song-id").
[[nodiscard]] QString findingTypeKey(FindingType type);

struct Finding {
    FindingType type;
    QString text; // a sentence, e.g. "The Nx note section ends at byte 900, ..."

    Severity severity() const { return severityOf(type); }
    bool isProblem() const { return severity() == Severity::Problem; }
};

using Findings = QList<Finding>;

[[nodiscard]] bool hasProblem(const Findings &findings);

// The findings one per line, each after "Problem: " or "Note: ".
[[nodiscard]] QString findingLines(const Findings &findings);

} // namespace ojn
