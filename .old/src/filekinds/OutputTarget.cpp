#include "filekinds/OutputTarget.h"

#include "fileio/SafeFileWriter.h"

#include <QDir>
#include <QFileInfo>

namespace ojn {
namespace {

bool isGameFile(FileKind kind)
{
    return kind == FileKind::Chart || kind == FileKind::EncryptedChart || kind == FileKind::Ojm || kind == FileKind::SongList;
}

bool mayReplace(FileKind existing, FileKind writing)
{
    if (existing == FileKind::Chart || existing == FileKind::EncryptedChart)
        return writing == FileKind::Chart;
    if (isGameFile(existing))
        return existing == writing;
    return existing != FileKind::NotRegular;
}

// The writer as the end of a refusal names it: "a CSV never replaces one".
QString writerName(FileKind writing)
{
    switch (writing) {
    case FileKind::Chart: return QStringLiteral("a chart");
    case FileKind::SongList: return QStringLiteral("a song list");
    case FileKind::Csv: return QStringLiteral("a CSV");
    case FileKind::Jpeg:
    case FileKind::Bmp: return QStringLiteral("a picture");
    default: return QStringLiteral("this file");
    }
}

} // namespace

Result<> checkOutputTarget(const QString &path, FileKind writing)
{
    const QString shown = QDir::toNativeSeparators(path);
    // A link to nothing or round a loop: the save itself refuses it, naming the link.
    const QFileInfo named(path);
    if (named.isSymLink() && !named.exists())
        return Result<>::success();
    const Result<FileKind> sniffed = sniffFileKind(path);
    if (!sniffed.ok())
        return Result<>::failure(QStringLiteral("Could not save %1: it cannot be read to tell what it is (%2), so it is not replaced.")
                                     .arg(shown, sniffed.error()));
    const FileKind existing = sniffed.value();
    if (mayReplace(existing, writing))
        return Result<>::success();
    // Through a link, the file it leads to is named too.
    const Result<QFileInfo> target = fileAtEndOfLinks(path);
    const QString where = target.ok() && named.isSymLink()
        ? QStringLiteral(" (%1)").arg(QDir::toNativeSeparators(target->absoluteFilePath()))
        : QString();
    if (existing == FileKind::NotRegular)
        return Result<>::failure(QStringLiteral("Could not save %1%2: it is %3, and only a regular file is replaced.")
                                     .arg(shown, where, kindName(existing)));
    return Result<>::failure(QStringLiteral("Could not save %1%2: it is %3, and %4 never replaces one.")
                                 .arg(shown, where, kindName(existing), writerName(writing)));
}

} // namespace ojn
