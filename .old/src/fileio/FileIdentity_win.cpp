// Files told apart on Windows.
#include "fileio/FileIdentity.h"

#include <QDir>

#include <optional>

#include <windows.h>

namespace ojn {
namespace {

struct Identity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
};

std::optional<Identity> identityOf(const QString &path)
{
    // No access asked for, and every sharing allowed: a file another
    // program holds open is still told apart. Folders need the backup flag.
    const HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info {};
    const bool known = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    if (!known)
        return std::nullopt;
    return Identity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

} // namespace

bool isSameFile(const QString &a, const QString &b)
{
    const std::optional<Identity> first = identityOf(a), second = identityOf(b);
    return first && second && first->volume == second->volume && first->indexHigh == second->indexHigh
        && first->indexLow == second->indexLow;
}

} // namespace ojn
