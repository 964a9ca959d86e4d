#pragma once

#include "result/Result.h"

#include <QString>

#include <functional>

class QByteArray;
class QFile;
class QFileInfo;
class QIODevice;

namespace ojn {

using ContentWriter = std::function<Result<>(QIODevice &)>;

// The writer of `bytes` as they are; a failure says "Writing <what> failed"
// and why.
[[nodiscard]] ContentWriter bytesWriter(const QByteArray &bytes, const QString &what);

// The file system steps of a safe write after the content is written, each
// failing with the reason. An empty step is the real one; tests set a step
// to make exactly that one fail.
struct SafeWriteSteps {
    std::function<Result<>(QFile &file)> flush; // Qt's buffer to the system
    std::function<Result<>(QFile &file)> sync;  // the system's cache to the disk
    std::function<Result<>(const QString &from, const QString &to)> replace;
};

// Replaces the file at `path` with what `writeContent` writes, never
// touching the old file until the new one is complete: the content goes to
// a temporary file in the same folder, is flushed to disk and then renamed
// over the target in one step. The new file keeps the old one's permission
// bits (a read-only target is still replaced, and stays read-only) and,
// where the process may set them, its owner and group; on Windows its
// read-only, hidden and system attributes. A path that is a link, or a chain of links, saves
// into the file at the chain's end and leaves every link as it was; a
// dangling link or a loop of links is refused. On failure the target is
// exactly as it was, no temporary file is left, and the message names the
// file, the step that failed and the reason. After a success, temporary
// files that earlier saves of the same target left behind (a killed
// program) are removed, but never one that a save still running holds.
//
// Not QSaveFile: it refuses to replace a read-only file, does not sync the
// folder after its rename, and has no seam to make one step fail in a test.
Result<> writeFileSafely(const QString &path, const ContentWriter &writeContent, const SafeWriteSteps &steps = {});

// The file a save of `path` replaces: `path` itself, or the end of the
// chain of links it starts. A link that leads nowhere or back into its own
// chain fails with the reason.
[[nodiscard]] Result<QFileInfo> fileAtEndOfLinks(const QString &path);

// The name pattern of those temporary files: ".<name>.<8 hex digits>.saving"
// beside the target. True when `fileName` is one of the target's.
[[nodiscard]] bool isTemporaryFileOf(const QString &fileName, const QString &targetFileName);

// Creates a new temporary file beside `target`, named as a save of it names
// its own (so tidying up knows it), open for writing in `temporary` and
// held; gives its path. Fails with the system's reason, or when every name
// tried was taken.
[[nodiscard]] Result<QString> createTemporaryBeside(QFile &temporary, const QFileInfo &target);

} // namespace ojn
