#include "filekinds/FileKind.h"

#include "fileio/FileReader.h"
#include "fileio/SafeFileWriter.h"

#include <QFileInfo>
#include <QtEndian>

#include <algorithm>

namespace ojn {
namespace {

// Enough for every signature, and for a CSV's first line as an export
// writes it (its columns' names).
constexpr qint64 HeadSize = 1024;

constexpr qint64 SignatureOffset = 4;
const QByteArrayView ChartSignature("ojn\0", 4);
const QByteArrayView EncryptedSignature("new", 3);
const QByteArrayView OjmSignatures[] = {QByteArrayView("M30\0", 4), QByteArrayView("OMC\0", 4), QByteArrayView("OJM\0", 4)};
const QByteArrayView JpegSignature("\xFF\xD8\xFF", 3);
const QByteArrayView BmpSignature("BM", 2);

// The song list's layout: an int32 count, then entries of a chart's first
// 300 bytes each.
constexpr qint64 ListCountSize = 4;
constexpr qint64 ListEntrySize = 300;

bool startsWith(QByteArrayView bytes, qint64 offset, QByteArrayView signature)
{
    return bytes.size() >= offset + signature.size() && bytes.sliced(offset, signature.size()) == signature;
}

// Every entry is read at its signature only, four bytes at a time, and the
// first that lacks it ends the look: bytes of another kind stop at once.
Result<bool> isSongList(qint64 size, QByteArrayView head, const ContentReader &read)
{
    if (head.size() < ListCountSize)
        return false;
    const qint64 count = qFromLittleEndian<qint32>(head.data());
    if (count < 0 || count > (size - ListCountSize) / ListEntrySize)
        return false;
    // Four zero bytes start many a file (a chart of song ID 0 without its
    // signature among them): a list of no songs is only the count alone.
    if (count == 0)
        return size == ListCountSize;
    for (qint64 entry = 0; entry < count; ++entry) {
        char signature[4];
        const qint64 at = ListCountSize + entry * ListEntrySize + SignatureOffset;
        const Result<qint64> got = read(at, signature, sizeof signature);
        if (!got.ok())
            return Failure{got.error()};
        if (got.value() != qint64(sizeof signature) || QByteArrayView(signature, sizeof signature) != ChartSignature)
            return false;
    }
    return true;
}

bool isCsv(QByteArrayView head)
{
    bool inFirstLine = true, separatorInFirstLine = false;
    for (const char c : head) {
        const auto byte = quint8(c);
        if ((byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F)
            return false;
        if (c == '\n' || c == '\r')
            inFirstLine = false;
        else if (inFirstLine && (c == ',' || c == ';'))
            separatorInFirstLine = true;
    }
    return separatorInFirstLine;
}

FileKind kindOfHead(QByteArrayView head)
{
    if (startsWith(head, SignatureOffset, ChartSignature))
        return FileKind::Chart;
    if (startsWith(head, 0, EncryptedSignature))
        return FileKind::EncryptedChart;
    for (const QByteArrayView ojm : OjmSignatures) {
        if (startsWith(head, 0, ojm))
            return FileKind::Ojm;
    }
    return FileKind::Unknown;
}

} // namespace

QString kindName(FileKind kind)
{
    switch (kind) {
    case FileKind::NoFile: return QStringLiteral("no file");
    case FileKind::Empty: return QStringLiteral("an empty file");
    case FileKind::Unknown: return QStringLiteral("a file of no kind this program knows");
    case FileKind::Chart: return QStringLiteral("a chart");
    case FileKind::EncryptedChart: return QStringLiteral("an encrypted chart");
    case FileKind::Ojm: return QStringLiteral("an OJM music file");
    case FileKind::SongList: return QStringLiteral("a song list");
    case FileKind::Csv: return QStringLiteral("a CSV file");
    case FileKind::Jpeg: return QStringLiteral("a JPEG picture");
    case FileKind::Bmp: return QStringLiteral("a BMP picture");
    case FileKind::Folder: return QStringLiteral("a folder");
    case FileKind::NotRegular: return QStringLiteral("not a regular file (a pipe, a device or a socket)");
    }
    return QString();
}

Result<FileKind> kindOfContent(qint64 size, const ContentReader &read)
{
    if (size <= 0)
        return FileKind::Empty;
    char buffer[HeadSize];
    const Result<qint64> got = read(0, buffer, std::min(size, HeadSize));
    if (!got.ok())
        return Failure{got.error()};
    const QByteArrayView head(buffer, got.value());
    if (const FileKind kind = kindOfHead(head); kind != FileKind::Unknown)
        return kind;
    const Result<bool> songList = isSongList(size, head, read);
    if (!songList.ok())
        return Failure{songList.error()};
    if (songList.value())
        return FileKind::SongList;
    if (startsWith(head, 0, JpegSignature))
        return FileKind::Jpeg;
    if (startsWith(head, 0, BmpSignature))
        return FileKind::Bmp;
    return isCsv(head) ? FileKind::Csv : FileKind::Unknown;
}

FileKind kindOfBytes(QByteArrayView bytes)
{
    const Result<FileKind> kind = kindOfContent(bytes.size(), [bytes](qint64 offset, char *out, qint64 count) -> Result<qint64> {
        const qint64 got = std::clamp<qint64>(bytes.size() - offset, 0, count);
        std::copy_n(bytes.data() + offset, got, out);
        return got;
    });
    return kind.ok() ? kind.value() : FileKind::Unknown;
}

FileKind kindTiedByName(FileKind byContent, const QString &fileName)
{
    if (byContent != FileKind::Empty && byContent != FileKind::Unknown)
        return byContent;
    if (fileName.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive))
        return FileKind::Chart;
    if (fileName.endsWith(QLatin1String(".ojm"), Qt::CaseInsensitive))
        return FileKind::Ojm;
    return byContent;
}

Result<FileKind> sniffFileKind(const QString &path)
{
    const Result<QFileInfo> found = fileAtEndOfLinks(path);
    if (!found.ok())
        return Failure{found.error()};
    const QFileInfo &file = found.value();
    if (!file.exists())
        return FileKind::NoFile;
    if (file.isDir())
        return FileKind::Folder;
    if (!file.isFile())
        return FileKind::NotRegular;
    FileReader reader(file.absoluteFilePath());
    if (const Result<> opened = reader.open(); !opened.ok())
        return Failure{opened.error()};
    const Result<FileKind> content = kindOfContent(reader.size(), [&reader](qint64 offset, char *out, qint64 count) {
        return reader.readAt(offset, out, count);
    });
    if (!content.ok())
        return content;
    return kindTiedByName(kindTiedByName(content.value(), file.fileName()), QFileInfo(path).fileName());
}

} // namespace ojn
