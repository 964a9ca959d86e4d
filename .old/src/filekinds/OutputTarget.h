#pragma once

#include "filekinds/FileKind.h"
#include "result/Result.h"

#include <QString>

namespace ojn {

// Whether a file of kind `writing` (a chart, a song list, a CSV, a
// picture) may be written at `path`: refused when what stands there,
// after links, is a chart, an OJM or a song list of another kind than the
// one written (a chart may replace a chart or an encrypted chart, a song
// list a song list), a pipe, a device or a socket, or a file that cannot
// be read to tell. The message names the file and what it is: "Could not
// save Music\o2ma99.ojm: it is an OJM music file, and a song list never
// replaces one." A path with nothing there, a link that leads nowhere and
// a folder pass: the safe writer says why it cannot write those.
[[nodiscard]] Result<> checkOutputTarget(const QString &path, FileKind writing);

} // namespace ojn
