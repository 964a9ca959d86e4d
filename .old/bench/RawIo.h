#pragma once

#include <QByteArray>
#include <QString>

namespace ojn::bench {

// The plain file operations the benchmarks' baselines are made of, with
// none of our code involved. Each stops the benchmark on failure.

[[noreturn]] void fail(const QString &what);

// The whole file in one sequential read into a buffer of its size.
QByteArray rawRead(const QString &path);

// As many bytes written to a new file and flushed to disk.
void rawWriteAndSync(const QString &path, const QByteArray &bytes);

// Commits every pending change of the folder's file system, so that no
// timed write pays for the metadata of the step before it (a deleted file
// waiting in the journal).
void settle(const QString &folder);

// What any crash-safe replacement of a file costs at least: the raw write
// plus fsync, then a rename over the old file (which the file system
// frees) and an fsync of the folder.
void rawReplace(const QString &folder, const QString &newPath, const QString &oldPath, const QByteArray &bytes);

} // namespace ojn::bench
