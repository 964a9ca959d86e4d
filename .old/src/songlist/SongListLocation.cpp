#include "songlist/SongListLocation.h"

#include <QDir>
#include <QFileInfo>

namespace ojn {
namespace {

const QString ImageFolder = QStringLiteral("Image");
const QString SongListName = QStringLiteral("OJNList.dat");
// The name one game client gives its list; used only when there is no OJNList.dat.
const QString ClientSongListName = QStringLiteral("X2OJNList.dat");

// The name of the entry called `name` in any case, the exact one first;
// empty when there is none.
QString entryNamed(const QDir &dir, const QString &name, QDir::Filters kind)
{
    const QFileInfo exact(dir.filePath(name));
    if (kind == QDir::Dirs ? exact.isDir() : exact.isFile())
        return name;
    for (const QString &entry : dir.entryList(kind | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}

QString imageFolderBeside(const QString &musicFolder)
{
    QDir game(musicFolder);
    if (!game.cdUp())
        return QString();
    const QString image = entryNamed(game, ImageFolder, QDir::Dirs);
    return game.filePath(image.isEmpty() ? ImageFolder : image);
}

} // namespace

QString songListBeside(const QString &musicFolder)
{
    const QString image = imageFolderBeside(musicFolder);
    if (image.isEmpty())
        return QString();
    QString list = entryNamed(QDir(image), SongListName, QDir::Files);
    if (list.isEmpty())
        list = entryNamed(QDir(image), ClientSongListName, QDir::Files);
    return list.isEmpty() ? QString() : QDir(image).filePath(list);
}

QString newSongListPath(const QString &musicFolder)
{
    const QString existing = songListBeside(musicFolder);
    if (!existing.isEmpty())
        return existing;
    const QString image = imageFolderBeside(musicFolder);
    return image.isEmpty() ? QString() : QDir(image).filePath(SongListName);
}

} // namespace ojn
