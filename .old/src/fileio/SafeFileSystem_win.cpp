// The safe writer's system calls on Windows.
#include "fileio/SafeFileSystem.h"

#include <QDir>
#include <QFile>

#include <cstring>
#include <vector>

#include <io.h>
#include <windows.h>

namespace ojn::safefs {
namespace {

LPCWSTR nativePath(const QString &path)
{
    return reinterpret_cast<LPCWSTR>(path.utf16());
}

HANDLE handleOf(QFile &file)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
}

// What a save keeps of the replaced file's attributes.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Through the handle, which was opened with write access: the name is now
// the target's, and the file may be read-only once it is in place.
void addAttributes(HANDLE handle, DWORD attributes)
{
    FILE_BASIC_INFO info {};
    if (attributes == 0 || !GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof info))
        return;
    info.FileAttributes = (info.FileAttributes & ~DWORD(FILE_ATTRIBUTE_NORMAL)) | attributes;
    // Zero times leave the file's times as they are.
    info.CreationTime.QuadPart = info.LastAccessTime.QuadPart = info.LastWriteTime.QuadPart = info.ChangeTime.QuadPart = 0;
    SetFileInformationByHandle(handle, FileBasicInfo, &info, sizeof info);
}

bool heldByAnotherProgram(DWORD code)
{
    return code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED || code == ERROR_LOCK_VIOLATION;
}

} // namespace

Result<Creation> createHeldFile(QFile &file, const QString &path)
{
    // Opened without FILE_SHARE_DELETE, the file cannot be deleted while it
    // is open; with DELETE access it can still be renamed by this handle.
    const HANDLE handle = CreateFileW(nativePath(QDir::toNativeSeparators(path)), GENERIC_WRITE | DELETE,
                                      FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS)
            return Creation::NameTaken;
        return Failure{qt_error_string(int(code))};
    }
    // Binary: only _O_TEXT would translate line ends.
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), 0);
    if (fd == -1 || !file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        const QString error = file.errorString();
        if (fd == -1)
            CloseHandle(handle);
        else
            _close(fd);
        DeleteFileW(nativePath(QDir::toNativeSeparators(path)));
        return Failure{error};
    }
    return Creation::Created;
}

void keepOwnerAndMode(QFile &, const QString &)
{
    // The attributes are kept in replaceWithHeldFile.
}

Result<> syncToDisk(QFile &file)
{
    if (!FlushFileBuffers(handleOf(file)))
        return Failure{qt_error_string(int(GetLastError()))};
    return Result<>::success();
}

Result<> replaceWithHeldFile(QFile &file, const QString &, const QString &to)
{
    const QString target = QDir::toNativeSeparators(to);
    // The rename goes through the open handle, so the file stays held
    // until it has its new name.
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + size_t(target.size()) * sizeof(WCHAR));
    auto *rename = reinterpret_cast<FILE_RENAME_INFO *>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = DWORD(target.size() * sizeof(WCHAR));
    std::memcpy(rename->FileName, target.utf16(), size_t(target.size() + 1) * sizeof(WCHAR));

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
        if (SetFileInformationByHandle(handleOf(file), FileRenameInfo, rename, DWORD(buffer.size()))) {
            if (attributes != INVALID_FILE_ATTRIBUTES)
                addAttributes(handleOf(file), attributes & KeptAttributes);
            FlushFileBuffers(handleOf(file)); // its metadata to the disk too, the new name with it
            return Result<>::success();
        }
        code = GetLastError();
        if (!heldByAnotherProgram(code))
            break;
        Sleep(100);
    }
    if (readOnly)
        SetFileAttributesW(nativePath(target), attributes);
    QString error = qt_error_string(int(code));
    if (heldByAnotherProgram(code))
        error += QStringLiteral(" Another program may have the file open; close it there and save again.");
    return Failure{error};
}

void syncFolder(const QString &)
{
    // Windows makes the rename durable with the file's own flush.
}

void removeUnlessHeld(const QString &path)
{
    // Fails while a save holds the file open.
    DeleteFileW(nativePath(QDir::toNativeSeparators(path)));
}

} // namespace ojn::safefs
