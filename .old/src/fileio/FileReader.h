#pragma once

#include "result/Result.h"

#include <QString>
#include <QtGlobal>

#include <memory>

namespace ojn {

// A file opened to read at offsets, for checks that open thousands of
// files one after another. On POSIX systems it uses the system's own calls
// (open, fstat, pread), since there a QFile per file costs more than
// reading its header (FileReader_posix.cpp); on Windows it is an
// unbuffered QFile (FileReader_win.cpp).
class FileReader {
public:
    explicit FileReader(const QString &path);
    ~FileReader();
    FileReader(const FileReader &) = delete;
    FileReader &operator=(const FileReader &) = delete;

    // A failure says why the file cannot be opened, in the system's words.
    // Only a regular file is opened (through links): anything else fails at
    // once, never waiting as a named pipe would (notRegularFileReason says
    // what it is).
    Result<> open();
    // The size when it was opened.
    [[nodiscard]] qint64 size() const { return m_size; }
    // Reads `count` bytes at `offset` and gives how many it read: fewer
    // only where the file ends, which for a file read at the size it was
    // opened with means it changed since. A failure is a read error, in the
    // system's words.
    Result<qint64> readAt(qint64 offset, char *out, qint64 count);

private:
    struct Handle; // the system's own handle, per system
    QString m_path;
    qint64 m_size = -1;
    std::unique_ptr<Handle> m_handle;
};

} // namespace ojn
