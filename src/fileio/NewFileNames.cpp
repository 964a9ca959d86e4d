#include "fileio/NewFileNames.h"

#include "fileio/FileContent.h"
#include "fileio/FolderEntries.h"

#include "fileio/DeviceIo.h"
#include "fileio/NewFileNamesSystem.h"
#include "fileio/NewFileNamesTesting.h"
#include "fileio/SafeFileSystem.h"
#include "fileio/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ojn {

namespace newnames {
namespace {
NamingWaysLacking lackingForTests;
} // namespace

void pretendFileSystemLacks(NamingWaysLacking lacking)
{
    lackingForTests = lacking;
}

const NamingWaysLacking &namingWaysLacking()
{
    return lackingForTests;
}
} // namespace newnames

namespace {

Result<> copyContent(const QString &from, QIODevice &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return Result<>::failure(QStringLiteral("%1 cannot be read: %2").arg(shownPath(from), source.errorString()));
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = source.read(buffer.data(), buffer.size());
        if (got < 0)
            return Result<>::failure(QStringLiteral("%1 cannot be read: %2").arg(shownPath(from), source.errorString()));
        if (got == 0)
            return Result<>::success();
        if (!writeAll(to, buffer.constData(), got))
            return writeFailure(to, QStringLiteral("the copy"));
    }
}

} // namespace

Result<> createNewFile(const QString &path, const ContentWriter &writeContent)
{
    const QFileInfo target(path);
    auto failure = [&path](const QString &reason) {
        return Result<>::failure(QStringLiteral("Could not create %1: %2").arg(shownPath(path), reason));
    };
    if (target.exists() || target.isSymLink())
        return failure(QStringLiteral("a file of that name is already there."));
    QFile temporary;
    const Result<QString> created = createTemporaryBeside(temporary, target);
    if (!created.ok())
        return failure(QStringLiteral("no temporary file could be made: %1").arg(created.error()));
    const QString &temporaryPath = created.value();
    auto discard = [&](const QString &reason) {
        temporary.close();
        QFile::remove(temporaryPath);
        return failure(reason);
    };
    if (const Result<> written = writeContent(temporary); !written.ok())
        return discard(written.error());
    if (const Result<> flushed = flushToSystem(temporary); !flushed.ok())
        return discard(QStringLiteral("Flushing the new file failed: %1").arg(flushed.error()));
    if (const Result<> synced = safefs::syncToDisk(temporary); !synced.ok())
        return discard(QStringLiteral("Writing the new file to disk failed: %1").arg(synced.error()));
    if (const Result<> placed = newnames::placeHeldFile(temporary, temporaryPath, target.absoluteFilePath()); !placed.ok())
        return discard(placed.error());
    temporary.close();
    return Result<>::success();
}

Result<> copyToNewFile(const QString &from, const QString &to)
{
    return createNewFile(to, [&from](QIODevice &device) { return copyContent(from, device); });
}

Result<> moveWithoutReplacing(const QString &from, const QString &to)
{
    const Result<newnames::Naming> moved = newnames::moveNoReplace(from, to);
    if (!moved.ok())
        return Result<>::failure(QStringLiteral("Could not move %1 to %2: %3").arg(shownPath(from), shownPath(to), moved.error()));
    if (moved.value() == newnames::Naming::Done)
        return Result<>::success();
    if (const Result<> copied = copyToNewFile(from, to); !copied.ok())
        return copied;
    // The copy is whole on disk under its name before the old name goes.
    syncFolderOf(to);
    if (!QFile::remove(from))
        return Result<>::failure(QStringLiteral("Copied %1 to %2, but could not remove %1.").arg(shownPath(from), shownPath(to)));
    return Result<>::success();
}

Result<> linkOrCopyToNewFile(const QString &from, const QString &to)
{
    const Result<newnames::Naming> linked = newnames::linkNoReplace(from, to);
    if (!linked.ok())
        return Result<>::failure(QStringLiteral("Could not give %1 the name %2: %3").arg(shownPath(from), shownPath(to), linked.error()));
    if (linked.value() == newnames::Naming::Done)
        return Result<>::success();
    return copyToNewFile(from, to);
}

void removeLeftTemporaries(const QString &folder, const std::function<bool(const QString &name)> &isTarget)
{
    // ".<target>.<8 hex digits>.saving"
    constexpr qsizetype Around = 1 + 1 + 8 + 7;
    const Result<QList<FolderEntry>> entries = readFolderEntries(folder);
    if (!entries.ok())
        return; // nothing to tidy up where nothing can be listed
    const QString prefix = pathPrefixOf(folder);
    for (const FolderEntry &entry : entries.value()) {
        const QString &name = entry.name;
        if (entry.type != EntryType::File || name.size() <= Around || !name.startsWith(QLatin1Char('.')))
            continue;
        const QString target = name.mid(1, name.size() - Around);
        if (isTarget(target) && isTemporaryFileOf(name, target))
            safefs::removeUnlessHeld(prefix + name);
    }
}

void syncFolderOf(const QString &path)
{
    safefs::syncFolder(QFileInfo(path).absolutePath());
}

} // namespace ojn
