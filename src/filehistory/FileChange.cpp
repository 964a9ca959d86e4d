#include "filehistory/FileChange.h"

#include "fileio/FileContent.h"
#include "fileio/NewFileNames.h"
#include "fileio/SafeFileWriter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <cstring>

namespace ojn {
namespace {

// Runs of differing bytes closer than this are kept as one: a run costs
// more in bookkeeping than a few equal bytes do.
constexpr qint64 RunJoinGap = 24;

Result<> writeWhole(const QString &path, const QByteArray &content)
{
    return writeFileSafely(path, bytesWriter(content, QStringLiteral("the file")));
}

Result<> createWhole(const QString &path, const QByteArray &content)
{
    return createNewFile(path, bytesWriter(content, QStringLiteral("the file")));
}

} // namespace

ContentDigest digestOf(const QByteArray &content)
{
    const QByteArray sum = QCryptographicHash::hash(content, QCryptographicHash::Sha1);
    ContentDigest digest{};
    std::memcpy(digest.data(), sum.constData(), digest.size());
    return digest;
}

FileChange FileChange::edit(const QString &path, const QByteArray &before, const QByteArray &after)
{
    FileChange change;
    change.m_kind = Kind::Edit;
    change.m_pathBefore = change.m_pathAfter = path;
    change.m_digestBefore = digestOf(before);
    change.m_digestAfter = digestOf(after);
    change.m_sizeBefore = before.size();
    change.m_sizeAfter = after.size();
    const qint64 common = qMin(before.size(), after.size());
    const char *b = before.constData(), *a = after.constData();
    qint64 at = 0;
    while (at < common) {
        if (b[at] == a[at]) {
            ++at;
            continue;
        }
        qint64 end = at + 1, equalSince = -1;
        for (; end < common; ++end) {
            if (b[end] != a[end])
                equalSince = -1;
            else if (equalSince < 0)
                equalSince = end;
            else if (end - equalSince >= RunJoinGap)
                break;
        }
        if (equalSince >= 0)
            end = equalSince;
        const qint64 length = end - at;
        QByteArray bytes(2 * length, Qt::Uninitialized);
        std::memcpy(bytes.data(), b + at, size_t(length));
        std::memcpy(bytes.data() + length, a + at, size_t(length));
        change.m_runs.append({at, qint32(length), bytes});
        at = end;
    }
    if (before.size() != after.size()) {
        // What one side has past the other's end: a save that dropped
        // bytes after the thumbnail, or one that added some.
        change.m_runs.append({common, qint32(before.size() - common), before.mid(common) + after.mid(common)});
    }
    change.m_runs.squeeze();
    return change;
}

FileChange FileChange::create(const QString &path, const QByteArray &content)
{
    FileChange change;
    change.m_kind = Kind::Create;
    change.m_pathBefore = change.m_pathAfter = path;
    change.m_digestAfter = digestOf(content);
    change.m_sizeAfter = content.size();
    change.m_runs.append({0, 0, content});
    return change;
}

FileChange FileChange::remove(const QString &path, const QByteArray &content)
{
    FileChange change;
    change.m_kind = Kind::Remove;
    change.m_pathBefore = change.m_pathAfter = path;
    change.m_digestBefore = digestOf(content);
    change.m_sizeBefore = content.size();
    change.m_runs.append({0, qint32(content.size()), content});
    return change;
}

FileChange FileChange::rename(const QString &from, const QString &to, const QByteArray &content)
{
    FileChange change;
    change.m_kind = Kind::Rename;
    change.m_pathBefore = from;
    change.m_pathAfter = to;
    change.m_digestBefore = change.m_digestAfter = digestOf(content);
    change.m_sizeBefore = change.m_sizeAfter = content.size();
    return change;
}

FileChange FileChange::copy(const QString &from, const QString &to, const QByteArray &content)
{
    FileChange change = rename(from, to, content);
    change.m_kind = Kind::Copy;
    return change;
}

FileChange FileChange::asRename() const
{
    FileChange change = *this;
    if (m_kind == Kind::Copy)
        change.m_kind = Kind::Rename;
    return change;
}

bool FileChange::isEmpty() const
{
    return m_kind == Kind::Edit && m_runs.isEmpty();
}

qsizetype FileChange::memoryUsed() const
{
    // The heap blocks' own headers are counted as 16 bytes each.
    constexpr qsizetype Block = 16;
    qsizetype used = sizeof(FileChange) + Block + m_pathBefore.capacity() * 2;
    if (m_pathAfter.constData() != m_pathBefore.constData())
        used += Block + m_pathAfter.capacity() * 2;
    if (!m_runs.isEmpty())
        used += Block + m_runs.capacity() * qsizetype(sizeof(Run));
    for (const Run &run : m_runs)
        used += Block + run.bytes.capacity();
    return used;
}

QByteArray FileChange::rebuilt(const QByteArray &from, Direction direction) const
{
    QByteArray to = from;
    // Last run first: only the tail run changes the length.
    for (auto run = m_runs.crbegin(); run != m_runs.crend(); ++run) {
        const qint64 afterSize = run->bytes.size() - run->beforeSize;
        if (direction == Direction::Undo)
            to.replace(run->offset, afterSize, run->bytes.constData(), run->beforeSize);
        else
            to.replace(run->offset, run->beforeSize, run->bytes.constData() + run->beforeSize, afterSize);
    }
    return to;
}

Result<> FileChange::replay(Direction direction, bool *skipped) const
{
    const bool undo = direction == Direction::Undo;
    const QString &from = undo ? m_pathAfter : m_pathBefore;
    const QString &to = undo ? m_pathBefore : m_pathAfter;
    const bool existsFrom = undo ? m_kind != Kind::Remove : m_kind != Kind::Create;
    const bool existsTo = undo ? m_kind != Kind::Create : m_kind != Kind::Remove;
    const ContentDigest &digestFrom = undo ? m_digestAfter : m_digestBefore;
    const ContentDigest &digestTo = undo ? m_digestBefore : m_digestAfter;
    // Named for the file found changed: a rename's undo finds its new name
    // changed, not the old one it would put back.
    const auto skip = [skipped](const QString &path, const QString &why) {
        if (skipped)
            *skipped = true;
        return Result<>::failure(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), why));
    };
    const auto isAt = [](const QString &path, const ContentDigest &digest) {
        const Result<QByteArray> content = readWholeFile(path);
        return content.ok() && digestOf(content.value()) == digest;
    };
    if (skipped)
        *skipped = false;

    if (m_kind == Kind::Edit) {
        // One read: a file already as wanted (a replay cancelled half-way
        // and run again) is done.
        const Result<QByteArray> current = readWholeFile(from);
        if (!current.ok())
            return skip(from, QStringLiteral("it is gone or cannot be read (%1)").arg(current.error()));
        const ContentDigest digest = digestOf(current.value());
        if (digest == digestTo)
            return Result<>::success();
        if (digest != digestFrom)
            return skip(from, QStringLiteral("it was changed since"));
        const QByteArray content = rebuilt(current.value(), direction);
        if (digestOf(content) != digestTo)
            return Result<>::failure(QStringLiteral("%1 cannot be put back: its record does not fit it.").arg(shownPath(from)));
        return writeWhole(to, content);
    }

    if (m_kind == Kind::Copy) {
        // The source is only read: an undo removes the copy, a redo makes it again.
        if (undo) {
            if (!QFileInfo::exists(from))
                return Result<>::success();
            if (!isAt(from, digestFrom))
                return skip(from, QStringLiteral("it was changed since"));
            if (!QFile::remove(from))
                return Result<>::failure(QStringLiteral("%1 cannot be removed.").arg(shownPath(from)));
            return Result<>::success();
        }
        if (QFileInfo::exists(to))
            return isAt(to, digestTo) ? Result<>::success() : skip(to, QStringLiteral("a file of that name is there now"));
        const Result<QByteArray> source = readWholeFile(from);
        if (!source.ok() || digestOf(source.value()) != digestFrom)
            return skip(to, QStringLiteral("%1, which it was copied from, was changed since").arg(QFileInfo(from).fileName()));
        return createWhole(to, source.value());
    }
    if (existsTo ? (from == to || !QFileInfo::exists(from)) && isAt(to, digestTo) : !QFileInfo::exists(to))
        return Result<>::success();
    if (!existsFrom) {
        // Put back a removed file, or make a created one again.
        if (QFileInfo::exists(to))
            return skip(to, QStringLiteral("a file of that name is there now"));
        return createWhole(to, m_runs.first().bytes.mid(undo ? 0 : m_runs.first().beforeSize));
    }
    if (!isAt(from, digestFrom))
        return skip(from, QFileInfo::exists(from) ? QStringLiteral("it was changed since") : QStringLiteral("it is gone"));
    if (m_kind == Kind::Rename)
        return moveWithoutReplacing(from, to);
    if (!QFile::remove(from))
        return Result<>::failure(QStringLiteral("%1 cannot be removed.").arg(shownPath(from)));
    return Result<>::success();
}

Result<> writeRecorded(const QString &path, const std::function<Result<>()> &write, std::optional<FileChange> &change)
{
    change.reset();
    const bool existed = QFileInfo::exists(path);
    Result<QByteArray> before = existed ? readWholeFile(path) : Result<QByteArray>(QByteArray());
    const Result<> written = write();
    if (!written.ok())
        return written;
    const Result<QByteArray> after = readWholeFile(path);
    if (after.ok() && before.ok())
        change = existed ? FileChange::edit(path, before.value(), after.value()) : FileChange::create(path, after.value());
    return written;
}

} // namespace ojn
