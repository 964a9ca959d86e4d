// The manual printed by `ojn-header --help`.
#include "cli/CommandLine.h"

namespace ojn::cli {

QString helpText()
{
    return QStringLiteral(R"(Usage:
  ojn-header show [--json] FILE...
  ojn-header set FILE... [FIELD OPTIONS] [--cover JPG] [--thumbnail BMP]
  ojn-header set FILE [FIELD OPTIONS] [PICTURES] --output OUT
  ojn-header extract FILE [--cover OUT] [--thumbnail OUT]
  ojn-header check [--json] [--list LIST] PATH...
  ojn-header list show [--json] LIST
  ojn-header list build FOLDER --output LIST [--sections-from OLD_LIST]
  ojn-header list sync LIST FOLDER [--dry-run] [--drop-missing]
  ojn-header export PATH... [--output CSV]
  ojn-header import CSV [--dry-run]
  ojn-header --help | --version
Every command also takes --code-page N, before or after the command.

Reads and changes the header of O2Jam OJN chart files, the companion of the
OJN Tevrik Editor for scripts and batches. It reads, checks and writes
charts exactly as the editor does: a chart saved by either program is byte
for byte the same. It also checks whole music folders and keeps the game's
song list (Image/OJNList.dat), from which the game shows its songs, in
step with the charts: a header edit reaches the game when the list is
synced.

Commands:
  show FILE...
      Prints one block per chart: song ID, title, artist, pattern, genre,
      OJM file, BPM, the levels and note counts of Ex, Nx and Hx, and the
      byte sizes of the cover and the thumbnail (with the picture's format
      and size in pixels, or "not a picture"). Blocks are separated by an
      empty line. A genre outside the editor's list shows its number;
      control characters in a text show as \xNN.
  show --json FILE...
      Prints one JSON object per chart, one object per line, instead:
        file, songId, genre (the stored number), genreName (null outside
        the list), bpm (the stored value, null when not finite), bpmText
        (as the editor shows it), levelEx, levelNx, levelHx, noteCountEx,
        noteCountNx, noteCountHx, codePage (the one the texts were read
        in), and for title, artist, pattern
        and ojmFile the decoded text plus titleHex, artistHex, patternHex,
        ojmFileHex (the stored bytes up to the first zero, in hexadecimal),
        and cover and thumbnail as objects {offset, size, format, width,
        height} (format, width and height null when the bytes are no
        picture).
  set FILE... OPTIONS
      Changes the given fields and writes the chart back in place. Fields
      not given keep their stored bytes exactly. Several charts get the
      same values; each is written on its own.
  set FILE OPTIONS --output OUT
      Writes the changed chart to OUT (replacing it when it exists) and
      leaves FILE as it was. With --output alone the chart is rewritten
      unchanged, as the editor's Save As does.
  extract FILE --cover OUT --thumbnail OUT
      Writes the cover and/or the thumbnail to files, the stored bytes
      exactly (a JPEG and a BMP in a well-formed chart; an empty picture
      gives an empty file). An existing file is replaced whole; the chart
      itself is never overwritten.
  check PATH...
      Checks charts and music folders (every .ojn file of a folder, in any
      case, not in subfolders) and prints one line per finding, "FILE:
      problem: WHAT" or "FILE: note: WHAT", then a summary line. Each
      chart: the faults for which the editor refuses it, a missing "ojn"
      signature, note sections not at byte 300 for Ex, out of order or
      past the cover, a note section whose packages do not end exactly
      where the next section (or the cover) starts, and as notes an
      encrypted chart (its header is read in memory) and bytes after the
      thumbnail. Across a folder (or the charts named from one folder): a
      song ID used by more than one chart, a file named o2ma<N>.ojn or
      o2ma<N>_<v>.ojn whose header holds another ID, an OJM file named in
      the header that is not in the folder, and as a note an OJM not named
      o2ma<ID>.ojm. A file or folder that cannot be read is a finding of
      its own; the others are still checked.
  check --list LIST PATH...
      Also compares the game's song list with the charts, by song ID: a
      chart whose list entry differs from its header (stale), a chart not
      in the list, a song listed twice, and, when a folder is checked, a
      listed song whose chart is not there (missing).
  check --json PATH...
      Prints one JSON object instead: charts, problems, notes, codePage,
      findings (each {file, severity: "problem" or "note", type, text}),
      and with --list songList {file, read, and how many songs are
      current, stale, not-listed, listed-twice, missing}.
  list show LIST
      Prints the song list's size and each entry: song ID, title, artist,
      pattern, genre, OJM file, BPM, levels, note counts and the lengths
      of Ex, Nx and Hx (minutes:seconds), and the size of the extra
      sections that follow the entries.
  list show --json LIST
      Prints one JSON object: file, codePage, extraSectionsSize, and
      entries, each with the fields of show --json (no pictures) plus
      entry (from 1) and durationEx, durationNx, durationHx in seconds.
  list build FOLDER --output LIST
      Makes a new song list from the first 300 bytes of every readable
      chart in FOLDER (an encrypted chart's decrypted ones), in song ID
      order, and writes it to LIST, replacing it. When two charts share a
      song ID the build is refused, naming them, and nothing is written.
      A chart that cannot be read is reported and left out.
      --sections-from OLD_LIST  carry OLD_LIST's extra sections (the
                    client's "new" marks, prices and the like) byte for
                    byte; it may be LIST itself. Without it the list has
                    none.
  list sync LIST FOLDER
      Brings the song list in step with the folder's charts: a stale entry
      is replaced where it stands, charts not listed are added at the end
      in song ID order, and listed songs with no chart are kept. The extra
      sections are kept byte for byte. Prints one summary line, e.g. "1
      refreshed, 2 added, 0 missing kept, 310 unchanged." Writes nothing
      when nothing changes. Refused, writing nothing, when two charts
      share a song ID.
      --dry-run       prints what would change; writes nothing
      --drop-missing  drops the listed songs that have no chart; refused
                      while a chart of the folder cannot be read, since it
                      may be one of theirs
A song list is never written over a chart: a LIST named .ojn is refused.
  export PATH...
      Writes the headers of the charts and folders given (a folder's charts
      as check lists them), in file name order, as CSV for a spreadsheet:
      one row per chart, under the header row
        file,songId,title,artist,pattern,genre,ojmFile,bpm,levelEx,levelNx,
        levelHx,noteCountEx,noteCountNx,noteCountHx
      file is the chart's path relative to the CSV's folder (the current
      folder on standard output) with "/" when it lies under it, else its
      absolute path; genre is the genre's name, or its number outside the
      list; bpm has a "." whatever the locale, in the shortest form that
      reads back to the same stored value. RFC 4180 (commas, "quotes",
      CRLF), UTF-8 with a byte order mark. An encrypted chart's header is
      read in memory, as check reads it; a chart that cannot be read is
      reported and left out.
      --output CSV    write to CSV, replacing it, instead of standard
                      output; a CSV named .ojn or .ojm is refused
  import CSV
      Changes the charts a CSV of that form names, as set does. The header
      row names the columns, in any order; file is needed, any other may
      be left out. A field changes only when its value differs from the
      stored one (146.0 for 146 changes nothing), so a row that changes
      nothing writes nothing. Numbers take a "." or your locale's decimal
      separator. The note counts are compared and a difference is
      reported; they are never changed. Every row is checked before
      anything is written: a chart that is missing, unreadable or
      encrypted (unless the row changes nothing in it), a value set would
      refuse, an unknown genre, a malformed line or a chart named twice
      makes a bad row; one bad row and nothing is written, each named by
      its line. Then each changed chart is saved, going on past a failed
      save. Prints each change ("FILE: FIELD: OLD -> NEW") and a summary.
      --dry-run       prints the changes; writes nothing

Field options of set (each at most once):
  --id N            song ID, a whole number from -2147483648 to 2147483647
  --title TEXT      title (at most 32 bytes in the code page, see below)
  --artist TEXT     artist (at most 32 bytes)
  --pattern TEXT    pattern (chart) author (at most 32 bytes)
  --ojm NAME        file name of the chart's OJM music file (at most 32 bytes)
  --genre G         a genre name, exactly as listed below, or its number 0-10:
                      0 Ballad, 1 Rock, 2 Dance, 3 Techno, 4 Hip-Hop,
                      5 Soul / R&B, 6 Jazz, 7 Funk, 8 Classical,
                      9 Traditional, 10 Etc
                    Other numbers are refused; a stored genre outside the
                    list is kept as long as --genre is not given.
  --bpm X           tempo, a 32-bit float
  --level-ex N      level of the Ex chart, a whole number from -32768 to 32767
  --level-nx N      level of the Nx chart, the same
  --level-hx N      level of the Hx chart, the same
Picture options of set:
  --cover FILE      new cover image (the Loading Frame, a JPEG in the game)
  --thumbnail FILE  new thumbnail (the Small Frame, a BMP in the game)
                    The file's bytes go into the chart unchanged; a file
                    that cannot be read or holds no picture is refused.
  --output OUT      write to OUT instead of FILE (only with one FILE)

Numbers are read as the editor reads its boxes: an optional sign, digits
with the decimal separator of your locale (LC_ALL, LC_NUMERIC, LANG; a
comma in German, for example), and an optional exponent; no thousands
separators. Whole-number fields round a fraction to the nearest whole
number, an exact half to the even one (12.5 gives 12, 13.5 gives 14).
Run with LC_ALL=C to use a decimal point whatever the user's locale.

Texts are stored in the Windows ANSI code page of your locale's language
(on Windows, the system's ANSI code page), as the editor stores them: 949
for Korean, 932 for Japanese, 936 or 950 for Chinese, 1252 for English and
most Western languages, and so on. A text that needs more than 32 bytes
there, or has a character the code page cannot store, is refused. Texts
are shown decoded the same way, by every command: a song list's titles
and the OJM names in check's findings too.

  --code-page N     read and write the texts in Windows code page N
                    instead, whatever the locale: for example 949 for
                    Korean charts on an English system (932, 936, 950,
                    1251, 1252, ... likewise). A number that is no code
                    page this system can convert is a usage error.

Writing is safe: the new chart or song list goes to a temporary file
beside the target and replaces it only when complete, so a failed write
leaves the old file as it was. A read-only target is replaced too. As in every save of the
editor, whatever followed the thumbnail in the old file is dropped, and
the bytes after each text, up to the 33rd byte of its slot, are zeroed.

Encrypted charts (the first bytes "new") and damaged ones are refused with
the editor's descriptions. Messages go to standard error and name the file.

Exit status:
  0  everything succeeded; for check: no problem was found (notes do not
     count)
  1  a chart was refused or could not be read or written, a song list
     could not be read or written, a build or sync was refused, check
     found a problem, export left a chart out, import found a bad row
     (nothing was written) or a save failed, or the listing could not be
     written to standard output; the other files of the batch were still
     handled, and a refused file is left untouched
  2  usage error: unknown command or option, a missing or repeated value, a
     value that is not a number, out of range, too long or unstorable, an
     unknown or unsupported code page, a picture that cannot be read, an
     output file that is the chart itself, a song list named .ojn or a
     CSV named .ojn or .ojm, a CSV that cannot be read, is not UTF-8 or
     whose header row has no file column or an unknown or repeated one;
     no chart or song list was read or written

Examples:
  ojn-header show charts/*.ojn
  ojn-header show --json charts/*.ojn > headers.jsonl
  ojn-header set o2ma100.ojn --title "New Title" --level-hx 12
  ojn-header set pack/*.ojn --genre Techno
  ojn-header set o2ma100.ojn --id 1100 --ojm o2ma1100.ojm --output o2ma1100.ojn
  ojn-header extract o2ma100.ojn --cover cover.jpg --thumbnail thumb.bmp
  ojn-header --code-page 949 show korean/*.ojn
In a game folder (Music/ holds the charts, Image/OJNList.dat the list):
  ojn-header check Music --list Image/OJNList.dat
  ojn-header list sync Image/OJNList.dat Music --dry-run
  ojn-header list sync Image/OJNList.dat Music
  ojn-header list build Music --output Image/OJNList.dat --sections-from Image/OJNList.dat
  ojn-header --code-page 949 list show Image/OJNList.dat
  ojn-header export Music --output headers.csv
  ojn-header import headers.csv --dry-run

Options:
  -h, --help        show this manual
  --version         show the program's version
  --code-page N     texts in Windows code page N (see above)
  --                end of options: every argument after it is a file
)");
}

} // namespace ojn::cli
