// New names without replacing, on Windows.
#include "fileio/NewFileNamesSystem.h"
#include "fileio/NewFileNamesTesting.h"

#include <QDir>
#include <QFile>

#include <cstring>
#include <vector>

#include <io.h>
#include <windows.h>

namespace ojn::newnames {
namespace {

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

LPCWSTR wide(const QString &path)
{
    return reinterpret_cast<LPCWSTR>(path.utf16());
}

QString messageFor(DWORD code)
{
    if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS)
        return QStringLiteral("a file of that name is already there.");
    QString text = qt_error_string(int(code));
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED)
        text += QStringLiteral(" Another program may have the file open; close it there and run this again.");
    return text;
}

bool unsupported(DWORD code)
{
    return code == ERROR_NOT_SUPPORTED || code == ERROR_INVALID_FUNCTION || code == ERROR_NOT_SAME_DEVICE;
}

} // namespace

Result<Naming> moveNoReplace(const QString &from, const QString &to)
{
    // Without MOVEFILE_REPLACE_EXISTING the move refuses a taken name, and
    // a file another program has open is refused whole, not half-moved.
    if (namingWaysLacking().oneStepMove)
        return Naming::Unsupported;
    const QString source = nativePath(from), target = nativePath(to);
    if (MoveFileExW(wide(source), wide(target), MOVEFILE_WRITE_THROUGH))
        return Naming::Done;
    const DWORD code = GetLastError();
    if (unsupported(code))
        return Naming::Unsupported;
    return Failure{messageFor(code)};
}

Result<Naming> linkNoReplace(const QString &from, const QString &to)
{
    if (namingWaysLacking().links)
        return Naming::Unsupported;
    const QString source = nativePath(from), target = nativePath(to);
    if (CreateHardLinkW(wide(target), wide(source), nullptr))
        return Naming::Done;
    const DWORD code = GetLastError();
    if (unsupported(code) || code == ERROR_INVALID_PARAMETER)
        return Naming::Unsupported;
    return Failure{messageFor(code)};
}

Result<> placeHeldFile(QFile &file, const QString &, const QString &to)
{
    // Renamed through its open handle, refusing a taken name.
    const QString target = nativePath(to);
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + size_t(target.size()) * sizeof(WCHAR));
    auto *rename = reinterpret_cast<FILE_RENAME_INFO *>(buffer.data());
    rename->ReplaceIfExists = FALSE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = DWORD(target.size() * sizeof(WCHAR));
    std::memcpy(rename->FileName, target.utf16(), size_t(target.size() + 1) * sizeof(WCHAR));
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    if (SetFileInformationByHandle(handle, FileRenameInfo, rename, DWORD(buffer.size()))) {
        FlushFileBuffers(handle);
        return Result<>::success();
    }
    return Failure{messageFor(GetLastError())};
}

} // namespace ojn::newnames
