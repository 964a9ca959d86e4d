// notRegularFileReason on Windows, where a music folder's odd entries are
// folders and links (no pipes or devices live among files there).
#include "fileio/NotRegularFile.h"

#include <QDir>
#include <QFileInfo>

namespace ojn {

QString notRegularFileReason(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("it is a link to %1, which does not exist").arg(QDir::toNativeSeparators(info.symLinkTarget()));
    if (!info.exists() || info.isFile())
        return QString();
    if (info.isDir())
        return QStringLiteral("it is a folder");
    return QStringLiteral("it is not a regular file");
}

} // namespace ojn
