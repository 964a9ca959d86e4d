// readFolderEntries on Linux and other POSIX systems.
#include "fileio/FolderEntries.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace ojn {
namespace {

EntryType typeOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return EntryType::File;
    if (S_ISDIR(mode))
        return EntryType::Folder;
    if (S_ISLNK(mode))
        return EntryType::Link;
    return EntryType::Other;
}

bool isDotOrDotDot(const char *name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

} // namespace

Result<QList<FolderEntry>> readFolderEntries(const QString &folder)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return Failure{qt_error_string(errno)};
    QList<FolderEntry> entries;
    int error = 0;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry) {
            error = errno;
            break;
        }
        if (isDotOrDotDot(entry->d_name))
            continue;
        EntryType type = EntryType::Other;
        switch (entry->d_type) {
        case DT_REG: type = EntryType::File; break;
        case DT_DIR: type = EntryType::Folder; break;
        case DT_LNK: type = EntryType::Link; break;
        case DT_UNKNOWN: {
            // Some file systems give no type: one look, not following links.
            struct stat status {};
            if (::fstatat(::dirfd(dir), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0)
                type = typeOfMode(status.st_mode);
            break;
        }
        default: break;
        }
        entries.append({QFile::decodeName(entry->d_name), type, entry->d_name[0] == '.'});
    }
    ::closedir(dir);
    if (error != 0)
        return Failure{qt_error_string(error)};
    return entries;
}

} // namespace ojn
