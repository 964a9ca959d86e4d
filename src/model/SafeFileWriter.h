#pragma once

#include "model/Outcome.h"

#include <QString>

#include <functional>

class QIODevice;

namespace ojn {

using ContentWriter = std::function<Outcome(QIODevice &)>;

// Replaces the file at `path` with what `writeContent` writes, never
// touching the old file until the new one is complete: the content goes to
// a temporary file in the same folder, is flushed to disk and then renamed
// over the target in one step. A read-only target is replaced too, by an
// ordinary writable file. On failure the target is exactly as it was, no
// temporary file is left, and the message names the file and the reason.
Outcome writeFileSafely(const QString &path, const ContentWriter &writeContent);

} // namespace ojn
