#include "fileio/NotRegularFile.h"

#include "fileio/FileContent.h"

#include <QFileInfo>

namespace ojn {

Result<> checkRegularFile(const QString &path, const QString &what)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return Result<>::success();
    QString why = notRegularFileReason(path);
    if (why.isEmpty())
        why = QStringLiteral("it is not a regular file"); // changed since it was looked at
    return Result<>::failure(QStringLiteral("%1 is not a regular file, so it cannot be %2: %3.").arg(shownPath(path), what, why));
}

} // namespace ojn
