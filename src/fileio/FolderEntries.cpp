#include "fileio/FolderEntries.h"

#include <QDir>
#include <QFileInfo>

namespace ojn {

QString pathPrefixOf(const QString &folder)
{
    const QString path = QDir::fromNativeSeparators(folder);
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString fileNameOfPath(const QString &path)
{
    // Cut at the last "/"; a backslash or a drive's colon after it goes
    // the long way, so Windows paths come out as Qt names them.
    for (qsizetype at = path.size() - 1; at >= 0; --at) {
        const QChar c = path[at];
        if (c == QLatin1Char('/'))
            return path.sliced(at + 1);
        if (c == QLatin1Char('\\') || c == QLatin1Char(':'))
            return QFileInfo(path).fileName();
    }
    return path;
}

} // namespace ojn
