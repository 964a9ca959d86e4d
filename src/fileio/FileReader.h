#pragma once

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

    // False when the file cannot be opened; errorString() says why.
    [[nodiscard]] bool open();
    // The size when it was opened.
    [[nodiscard]] qint64 size() const { return m_size; }
    // Reads exactly `count` bytes at `offset`. False on a read error
    // (errorString() says why) or when the file ends sooner (errorString()
    // is empty: it changed since it was opened).
    [[nodiscard]] bool readAt(qint64 offset, char *out, qint64 count);
    [[nodiscard]] QString errorString() const;

private:
    struct Handle; // the system's own handle, per system
    QString m_path;
    qint64 m_size = -1;
    std::unique_ptr<Handle> m_handle;
};

} // namespace ojn
