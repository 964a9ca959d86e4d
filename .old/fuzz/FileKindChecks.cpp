#include "FileKindChecks.h"

#include "Promise.h"

#include "filekinds/FileKind.h"
#include "model/ChartLayout.h"
#include "songlist/SongList.h"

#include <QFile>
#include <QTemporaryDir>

namespace ojn::fuzz {
namespace {

bool startsWith(QByteArrayView bytes, QByteArrayView prefix)
{
    return bytes.size() >= prefix.size() && bytes.first(prefix.size()) == prefix;
}

bool hasChartSignature(QByteArrayView bytes)
{
    return bytes.size() >= 8 && bytes.sliced(4, 4) == QByteArrayView("ojn\0", 4);
}

// A list of no songs only as its count alone: four zero bytes start many
// another file.
bool isListOfCharts(QByteArrayView bytes)
{
    const Result<SongList> list = parseSongList(bytes);
    if (!list.ok() || (list->entries.isEmpty() && bytes.size() != SongListCountSize))
        return false;
    for (const QByteArray &entry : list->entries) {
        if (!hasChartSignature(entry))
            return false;
    }
    return true;
}

bool isOjm(QByteArrayView bytes)
{
    return startsWith(bytes, QByteArrayView("M30\0", 4)) || startsWith(bytes, QByteArrayView("OMC\0", 4))
        || startsWith(bytes, QByteArrayView("OJM\0", 4));
}

// Where each input is written to be sniffed as a file: one folder for the
// whole run.
QString scratchFile()
{
    static QTemporaryDir folder;
    return folder.filePath(QStringLiteral("input.bin"));
}

} // namespace

void checkFileKindInput(QByteArrayView input)
{
    const FileKind kind = kindOfBytes(input);
    require((kind == FileKind::Empty) == input.isEmpty(), "only no bytes are an empty file");
    require(kind != FileKind::NoFile && kind != FileKind::Folder && kind != FileKind::NotRegular, "bytes are a file's");
    switch (kind) {
    case FileKind::Chart:
        require(hasChartSignature(input), "a chart has the signature at byte 4");
        break;
    case FileKind::EncryptedChart:
        require(isEncrypted(input) && !hasChartSignature(input), "an encrypted chart is one the chart reader takes for one");
        break;
    case FileKind::Ojm:
        require(isOjm(input), "an OJM starts with its signature");
        break;
    case FileKind::SongList:
        require(isListOfCharts(input), "a song list reads as one, each entry a chart's first bytes");
        break;
    case FileKind::Jpeg:
        require(startsWith(input, QByteArrayView("\xFF\xD8\xFF", 3)), "a JPEG starts with its marker");
        break;
    case FileKind::Bmp:
        require(startsWith(input, "BM"), "a BMP starts with BM");
        break;
    case FileKind::Csv:
        require(!input.first(std::min<qsizetype>(input.size(), 1024)).contains('\0'), "a CSV holds no NUL where read");
        break;
    case FileKind::Unknown:
        require(!hasChartSignature(input) && !isOjm(input) && !isListOfCharts(input), "no kind is missed");
        break;
    default:
        break;
    }

    for (const char *name : {"x.OJN", "x.ojm", "x.csv"}) {
        const FileKind tied = kindTiedByName(kind, QLatin1String(name));
        require(tied == kind || kind == FileKind::Empty || kind == FileKind::Unknown, "a name never overrules content");
    }

    const QString path = scratchFile();
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(input.data(), input.size()) == input.size(),
            "the input can be written");
    file.close();
    const Result<FileKind> sniffed = sniffFileKind(path);
    require(sniffed.ok() && sniffed.value() == kind, "a file is of the kind its bytes are");
}

} // namespace ojn::fuzz
