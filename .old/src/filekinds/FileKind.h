#pragma once

#include "result/Result.h"

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <functional>

namespace ojn {

// What a file is, told by its first bytes, never by its name alone: so an
// output can refuse to replace a chart, its music or the song list that
// happen to stand under the name a user typed.
enum class FileKind {
    NoFile,
    Empty,
    Unknown, // bytes of none of the kinds below
    Chart,
    EncryptedChart,
    Ojm,
    SongList,
    Csv,
    Jpeg,
    Bmp,
    Folder,
    NotRegular, // a pipe, a device or a socket
};

// The kind as a message names it: "a chart", "an OJM music file", ...
[[nodiscard]] QString kindName(FileKind kind);

// Reads up to `count` bytes at `offset` into `out` and gives how many it
// read, fewer only where the content ends; a failure says why.
using ContentReader = std::function<Result<qint64>(qint64 offset, char *out, qint64 count)>;

// The kind of `size` bytes of content, reading only a few of them: the
// first ones, and for a song list the signature of each entry.
// - a chart: "ojn\0" at byte 4; an encrypted chart: "new" at byte 0;
// - an OJM: "M30\0", "OMC\0" or "OJM\0" at byte 0;
// - a song list: a count of 1 or more, room for that many 300-byte
//   entries after it, and a chart's signature in each; or a count of 0
//   alone, 4 bytes;
// - a JPEG: FF D8 FF; a BMP: "BM";
// - a CSV: text (no NUL nor control byte other than tab, CR and LF in
//   what is read) with a comma or a semicolon in its first line.
// Empty when `size` is 0, Unknown for anything else.
[[nodiscard]] Result<FileKind> kindOfContent(qint64 size, const ContentReader &read);
// The same for bytes in memory.
[[nodiscard]] FileKind kindOfBytes(QByteArrayView bytes);

// Where content leaves it open (an empty file, or bytes of no kind), a
// name ending in .ojn or .ojm, in any case, counts as a chart or an OJM:
// the game would take it for one.
[[nodiscard]] FileKind kindTiedByName(FileKind byContent, const QString &fileName);

// The kind of the file at `path`, links followed to the file they name,
// then tied by that file's name and by `path`'s. A folder, a pipe or a
// device is told without opening it, so nothing waits on a pipe. A link
// that leads nowhere or round a loop, or a file that cannot be opened or
// read, fails with the reason.
[[nodiscard]] Result<FileKind> sniffFileKind(const QString &path);

} // namespace ojn
