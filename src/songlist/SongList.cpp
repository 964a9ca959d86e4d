#include "songlist/SongList.h"

#include "fileio/DeviceIo.h"
#include "fileio/NotRegularFile.h"
#include "filekinds/OutputTarget.h"
#include "fileio/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QtEndian>

#include <limits>
#include <new>

namespace ojn {
qint32 songIdOfEntry(QByteArrayView entry)
{
    return entry.size() >= 4 ? qFromLittleEndian<qint32>(entry.data()) : 0;
}

Result<SongList> parseSongList(QByteArrayView bytes)
{
    const qint64 size = bytes.size();
    if (size < SongListCountSize) {
        return Failure{QStringLiteral("it is only %1 bytes long, too short for the %2-byte song count.")
                           .arg(size).arg(SongListCountSize)};
    }
    const qint64 count = qFromLittleEndian<qint32>(bytes.data());
    if (count < 0)
        return Failure{QStringLiteral("its song count is negative (%1).").arg(count)};
    const qint64 entriesSize = count * SongListEntrySize;
    if (entriesSize > size - SongListCountSize) {
        return Failure{QStringLiteral("its song count %1 needs %2 bytes of entries, but only %3 follow the count.")
                           .arg(count).arg(entriesSize).arg(size - SongListCountSize)};
    }
    SongList list;
    list.entries.reserve(count);
    for (qint64 i = 0; i < count; ++i)
        list.entries.append(bytes.sliced(SongListCountSize + i * SongListEntrySize, SongListEntrySize).toByteArray());
    list.extraSections = bytes.sliced(SongListCountSize + entriesSize).toByteArray();
    return list;
}

Result<SongList> readSongListFile(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        return Failure{QStringLiteral("The song list %1 does not exist.").arg(shown)};
    if (Result<> regular = checkRegularFile(path, QStringLiteral("a song list")); !regular.ok())
        return Failure{regular.error()};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("Could not open the song list %1: %2").arg(shown, file.errorString())};
    try {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return Failure{QStringLiteral("Could not read the song list %1: %2").arg(shown, file.errorString())};
        Result<SongList> result = parseSongList(bytes);
        if (!result.ok())
            return Failure{QStringLiteral("The song list %1 is damaged: %2").arg(shown, result.error())};
        return result;
    } catch (const std::bad_alloc &) {
        return Failure{QStringLiteral("There is not enough memory to read the song list %1 (%2 bytes).").arg(shown).arg(info.size())};
    }
}

Result<> writeSongList(const SongList &list, QIODevice &device)
{
    if (list.entries.size() > std::numeric_limits<qint32>::max())
        return Result<>::failure(QStringLiteral("The song list has %1 entries, more than it can count.").arg(list.entries.size()));
    for (const QByteArray &entry : list.entries) {
        if (entry.size() != SongListEntrySize) {
            return Result<>::failure(QStringLiteral("A song list entry of song ID %1 holds %2 bytes instead of %3.")
                                        .arg(songIdOfEntry(entry)).arg(entry.size()).arg(SongListEntrySize));
        }
    }
    char count[SongListCountSize];
    qToLittleEndian<qint32>(qint32(list.entries.size()), count);
    if (!writeAll(device, count, SongListCountSize))
        return writeFailure(device, QStringLiteral("the song count"));
    for (const QByteArray &entry : list.entries) {
        if (!writeAll(device, entry.constData(), entry.size()))
            return writeFailure(device, QStringLiteral("the song entries"));
    }
    if (!writeAll(device, list.extraSections.constData(), list.extraSections.size()))
        return writeFailure(device, QStringLiteral("the extra sections"));
    return Result<>::success();
}

Result<> writeSongListFile(const SongList &list, const QString &path)
{
    if (Result<> target = checkSongListTarget(path); !target.ok())
        return target;
    return writeFileSafely(path, [&list](QIODevice &device) { return writeSongList(list, device); });
}

Result<> checkSongListTarget(const QString &path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    for (const QString &name : {path, resolved}) {
        if (name.endsWith(QLatin1String(".ojn"), Qt::CaseInsensitive)) {
            return Result<>::failure(QStringLiteral("Could not save %1: it is a chart (%2), and a song list never replaces a chart.")
                                        .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(name)));
        }
    }
    return checkOutputTarget(path, FileKind::SongList);
}

} // namespace ojn
