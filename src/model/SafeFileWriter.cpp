#include "model/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace ojn {
namespace {

// Where the new content is written before it replaces the target: hidden,
// beside the target (a rename is only atomic within one file system), and
// named after it so a user who finds one left by a crash knows what it is.
const QLatin1String TemporarySuffix(".saving");
constexpr int TemporaryTagLength = 8;

QString temporaryPathFor(const QFileInfo &target)
{
    const quint32 tag = QRandomGenerator::global()->generate();
    return target.dir().filePath(QStringLiteral(".%1.%2%3")
                                     .arg(target.fileName())
                                     .arg(tag, TemporaryTagLength, 16, QLatin1Char('0'))
                                     .arg(TemporarySuffix));
}

QString systemError()
{
#ifdef Q_OS_WIN
    return qt_error_string(int(GetLastError()));
#else
    return QString::fromLocal8Bit(std::strerror(errno));
#endif
}

bool flushFile(QFile &file, QString &error)
{
    if (!file.flush()) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool syncToDisk(QFile &file, QString &error)
{
#ifdef Q_OS_WIN
    if (!FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())))) {
#else
    if (::fsync(file.handle()) != 0) {
#endif
        error = systemError();
        return false;
    }
    return true;
}

#ifdef Q_OS_WIN
LPCWSTR nativePath(const QString &path)
{
    return reinterpret_cast<LPCWSTR>(path.utf16());
}

bool replaceFile(const QString &from, const QString &to, QString &error)
{
    const QString source = QDir::toNativeSeparators(from);
    const QString target = QDir::toNativeSeparators(to);
    // Windows refuses to replace a read-only file. The attribute goes back
    // on when the replacing fails, so the old file stays as it was.
    const DWORD attributes = GetFileAttributesW(nativePath(target));
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly)
        SetFileAttributesW(nativePath(target), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
    // A virus scanner or an indexer holds a file for a moment only; a
    // program that has it open for good gets a message after a second.
    DWORD code = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (MoveFileExW(nativePath(source), nativePath(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        code = GetLastError();
        if (code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED && code != ERROR_LOCK_VIOLATION)
            break;
        Sleep(100);
    }
    if (readOnly)
        SetFileAttributesW(nativePath(target), attributes);
    error = qt_error_string(int(code));
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED || code == ERROR_LOCK_VIOLATION)
        error += QStringLiteral(" Another program may have the file open; close it there and save again.");
    return false;
}
#else
bool replaceFile(const QString &from, const QString &to, QString &error)
{
    // rename() replaces the target in one step, read-only or not.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        error = systemError();
        return false;
    }
    return true;
}
#endif

// Makes the rename itself durable; a failure here loses nothing.
void syncFolder([[maybe_unused]] const QString &folder)
{
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

// A save killed midway leaves its temporary file behind. Once a save of the
// same target has succeeded such a file holds nothing the user needs, and
// only files of exactly that target's pattern are touched.
void removeStaleTemporaries(const QFileInfo &target)
{
    QDir folder(target.absolutePath());
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &name : names) {
        if (isTemporaryFileOf(name, target.fileName()))
            folder.remove(name);
    }
}

} // namespace

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

Outcome writeFileSafely(const QString &path, const ContentWriter &writeContent, const SafeWriteSteps &steps)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    auto failure = [&shownPath](const QString &reason) {
        return Outcome::failure(QStringLiteral("Could not save %1: %2").arg(shownPath, reason));
    };

    QFileInfo target(path);
    // Saving through a link updates the file it points to.
    if (target.isSymLink())
        target = QFileInfo(target.symLinkTarget());
    if (target.isDir())
        return failure(QStringLiteral("it is a folder."));
    if (!target.dir().exists())
        return failure(QStringLiteral("the folder %1 does not exist.").arg(QDir::toNativeSeparators(target.absolutePath())));

    QFile temporary;
    for (int attempt = 0; attempt < 16 && !temporary.isOpen(); ++attempt) {
        temporary.setFileName(temporaryPathFor(target));
        // NewOnly never reuses an existing file, and the new file gets the
        // user's usual permissions.
        if (!temporary.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !temporary.exists())
            break;
    }
    if (!temporary.isOpen()) {
        return failure(QStringLiteral("no temporary file could be made in %1: %2")
                           .arg(QDir::toNativeSeparators(target.absolutePath()), temporary.errorString()));
    }

    auto discard = [&temporary](const QString &reason) {
        temporary.close();
        temporary.remove();
        return reason;
    };

    const Outcome written = writeContent(temporary);
    if (!written.ok())
        return failure(discard(written.error()));
    QString error;
    if (!(steps.flush ? steps.flush : flushFile)(temporary, error))
        return failure(discard(QStringLiteral("Flushing the new file failed: %1").arg(error)));
    if (!(steps.sync ? steps.sync : syncToDisk)(temporary, error))
        return failure(discard(QStringLiteral("Writing the new file to disk failed: %1").arg(error)));
    temporary.close();
    if (temporary.error() != QFileDevice::NoError)
        return failure(discard(QStringLiteral("Closing the new file failed: %1").arg(temporary.errorString())));

    if (target.exists())
        temporary.setPermissions(target.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);

    if (!(steps.replace ? steps.replace : replaceFile)(temporary.fileName(), target.absoluteFilePath(), error))
        return failure(discard(QStringLiteral("Putting the new file in place of the old one failed: %1").arg(error)));
    syncFolder(target.absolutePath());
    removeStaleTemporaries(target);
    return Outcome::success();
}

} // namespace ojn
