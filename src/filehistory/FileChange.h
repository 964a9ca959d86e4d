#pragma once

#include "result/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace ojn {

// A file's content, summed up so that "is it still as we left it?" needs
// no copy of it.
using ContentDigest = std::array<quint8, 20>;
[[nodiscard]] ContentDigest digestOf(const QByteArray &content);

// What one command did to one file: its content edited, the file created,
// removed, renamed, or copied from another. An edit keeps only the runs of
// bytes that differ (and the tail one side has past the other's end); a
// create or a remove keeps the whole content, since there is no other copy
// of it; a copy keeps its source's name, and is made again from it only
// while the source holds the same bytes.
class FileChange {
public:
    enum class Kind : quint8 { Edit, Create, Remove, Rename, Copy };

    [[nodiscard]] static FileChange edit(const QString &path, const QByteArray &before, const QByteArray &after);
    [[nodiscard]] static FileChange create(const QString &path, const QByteArray &content);
    [[nodiscard]] static FileChange remove(const QString &path, const QByteArray &content);
    [[nodiscard]] static FileChange rename(const QString &from, const QString &to, const QByteArray &content);
    [[nodiscard]] static FileChange copy(const QString &from, const QString &to, const QByteArray &content);
    // A copy whose source was then removed: one move from the source's name.
    [[nodiscard]] FileChange asRename() const;

    [[nodiscard]] Kind kind() const { return m_kind; }
    // The file's name before and after; the same but for a rename (and a
    // copy, whose name before is its source's).
    [[nodiscard]] const QString &pathBefore() const { return m_pathBefore; }
    [[nodiscard]] const QString &pathAfter() const { return m_pathAfter; }
    // Whether the change alters nothing (an edit that wrote the same bytes).
    [[nodiscard]] bool isEmpty() const;
    // About how much memory the record holds, for the history's bound.
    [[nodiscard]] qsizetype memoryUsed() const;

    // Puts the file back as it was before the change (undo) or as the
    // change left it (redo). A file that is not as the other side left it
    // is not touched: the failure says so ("name: why", naming the file
    // found changed) and `skipped` is set. A file already as wanted counts
    // as done with nothing written.
    enum class Direction : quint8 { Undo, Redo };
    [[nodiscard]] Result<> replay(Direction direction, bool *skipped = nullptr) const;

private:
    // A run of bytes at `offset`: `beforeSize` bytes before, then the
    // bytes after, in one array so a run costs one allocation.
    struct Run {
        qint64 offset = 0;
        qint32 beforeSize = 0;
        QByteArray bytes;
    };

    [[nodiscard]] QByteArray rebuilt(const QByteArray &from, Direction direction) const;

    Kind m_kind = Kind::Edit;
    QString m_pathBefore, m_pathAfter;
    ContentDigest m_digestBefore{}, m_digestAfter{};
    qint64 m_sizeBefore = 0, m_sizeAfter = 0;
    QList<Run> m_runs; // an edit's runs, in order; a create's or remove's content as one run
};

// Runs `write`, which replaces or creates the file at `path`, and records
// what it changed: an edit when the file was there, a create when not.
// `change` stays empty when the write fails or the file cannot be read
// afterwards (then nothing can be undone, but the write stands).
[[nodiscard]] Result<> writeRecorded(const QString &path, const std::function<Result<>()> &write,
                                     std::optional<FileChange> &change);

} // namespace ojn
