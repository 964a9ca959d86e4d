#include "fileio/SafeFileWriter.h"

#include "fileio/DeviceIo.h"
#include "fileio/FileContent.h"
#include "fileio/FolderEntries.h"
#include "fileio/SafeFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace ojn {
namespace {

// Where the new content is written before it replaces the target: hidden,
// beside the target (a rename is only atomic within one file system), and
// named after it so a user who finds one left by a crash knows what it is.
const QLatin1String TemporarySuffix(".saving");
constexpr int TemporaryTagLength = 8;

// Far more than any real chain of links; a longer one is taken for a loop.
constexpr int MostLinksFollowed = 40;

QString temporaryPathFor(const QFileInfo &target)
{
    const quint32 tag = QRandomGenerator::global()->generate();
    return target.dir().filePath(QStringLiteral(".%1.%2%3")
                                     .arg(target.fileName())
                                     .arg(tag, TemporaryTagLength, 16, QLatin1Char('0'))
                                     .arg(TemporarySuffix));
}

// A save killed midway leaves its temporary file behind. Once a save of the
// same target has succeeded such a file holds nothing the user needs, and
// only files of exactly that target's pattern are touched. Another save of
// the same target may be writing one right now: it holds its file, and a
// held file is left alone.
void removeStaleTemporaries(const QFileInfo &target)
{
    // Names only: a folder of thousands of charts is listed on every save,
    // and only a name of the pattern is worth a look at what the entry is.
    const Result<QList<FolderEntry>> entries = readFolderEntries(target.absolutePath());
    if (!entries.ok())
        return;
    const QString prefix = pathPrefixOf(target.absolutePath());
    for (const FolderEntry &entry : entries.value()) {
        if (entry.type == EntryType::File && isTemporaryFileOf(entry.name, target.fileName()))
            safefs::removeUnlessHeld(prefix + entry.name);
    }
}

} // namespace

ContentWriter bytesWriter(const QByteArray &bytes, const QString &what)
{
    return [bytes, what](QIODevice &device) { return writeBytes(device, bytes, what); };
}

Result<QFileInfo> fileAtEndOfLinks(const QString &path)
{
    QFileInfo file(path);
    QStringList links;
    while (file.isSymbolicLink()) {
        const QString link = file.absoluteFilePath();
        if (links.contains(link) || links.size() == MostLinksFollowed) {
            return Failure{QStringLiteral("the link %1 leads round a loop of links to no file.").arg(shownPath(link))};
        }
        links << link;
        file = QFileInfo(file.symLinkTarget());
    }
    if (!links.isEmpty() && !file.exists()) {
        return Failure{QStringLiteral("the link %1 points to %2, which does not exist.")
                           .arg(shownPath(links.last()), shownPath(file.absoluteFilePath()))};
    }
    return file;
}

bool isTemporaryFileOf(const QString &fileName, const QString &targetFileName)
{
    const qsizetype prefixLength = 1 + targetFileName.size() + 1;
    if (fileName.size() != prefixLength + TemporaryTagLength + TemporarySuffix.size())
        return false;
    const QStringView name(fileName);
    if (name.front() != QLatin1Char('.') || name.mid(1, targetFileName.size()) != targetFileName
        || name.at(prefixLength - 1) != QLatin1Char('.') || !name.endsWith(TemporarySuffix))
        return false;
    for (const QChar c : name.mid(prefixLength, TemporaryTagLength)) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return false;
    }
    return true;
}

Result<QString> createTemporaryBeside(QFile &temporary, const QFileInfo &target)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString path = temporaryPathFor(target);
        const Result<safefs::Creation> creation = safefs::createHeldFile(temporary, path);
        if (!creation.ok())
            return Failure{creation.error()};
        if (creation.value() == safefs::Creation::Created)
            return path;
    }
    return Failure{QStringLiteral("every name tried was taken.")};
}

Result<> writeFileSafely(const QString &path, const ContentWriter &writeContent, const SafeWriteSteps &steps)
{
    auto failure = [&path](const QString &reason) {
        return Result<>::failure(QStringLiteral("Could not save %1: %2").arg(shownPath(path), reason));
    };

    const Result<QFileInfo> found = fileAtEndOfLinks(path);
    if (!found.ok())
        return failure(found.error());
    const QFileInfo &target = found.value();
    if (target.isDir())
        return failure(QStringLiteral("it is a folder."));
    if (!target.dir().exists())
        return failure(QStringLiteral("the folder %1 does not exist.").arg(shownPath(target.absolutePath())));

    QFile temporary;
    const Result<QString> created = createTemporaryBeside(temporary, target);
    if (!created.ok())
        return failure(QStringLiteral("no temporary file could be made in %1: %2").arg(shownPath(target.absolutePath()), created.error()));
    const QString &temporaryPath = created.value();

    auto discard = [&temporary, &temporaryPath](const QString &reason) {
        temporary.close();
        QFile::remove(temporaryPath);
        return reason;
    };

    const Result<> written = writeContent(temporary);
    if (!written.ok())
        return failure(discard(written.error()));
    if (const Result<> flushed = (steps.flush ? steps.flush : flushToSystem)(temporary); !flushed.ok())
        return failure(discard(QStringLiteral("Flushing the new file failed: %1").arg(flushed.error())));
    // Before the sync, so that the owner and mode reach the disk with the content.
    if (target.exists())
        safefs::keepOwnerAndMode(temporary, target.absoluteFilePath());
    if (const Result<> synced = (steps.sync ? steps.sync : safefs::syncToDisk)(temporary); !synced.ok())
        return failure(discard(QStringLiteral("Writing the new file to disk failed: %1").arg(synced.error())));

    const QString targetPath = target.absoluteFilePath();
    const Result<> replaced = steps.replace ? steps.replace(temporaryPath, targetPath)
                                            : safefs::replaceWithHeldFile(temporary, temporaryPath, targetPath);
    if (!replaced.ok())
        return failure(discard(QStringLiteral("Putting the new file in place of the old one failed: %1").arg(replaced.error())));
    // Synced before, so closing has nothing left to write.
    temporary.close();
    safefs::syncFolder(target.absolutePath());
    removeStaleTemporaries(target);
    return Result<>::success();
}

} // namespace ojn
