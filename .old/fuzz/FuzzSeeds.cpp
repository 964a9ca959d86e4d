#include "FuzzSeeds.h"

#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <QtEndian>

#include <limits>

namespace ojn::fuzz {

using test::ChartBuilder;

QList<Seed> seedCharts()
{
    constexpr qint32 max32 = std::numeric_limits<qint32>::max();
    constexpr qint32 min32 = std::numeric_limits<qint32>::min();
    const QByteArray valid = ChartBuilder().build();
    const qint32 coverOffset = 300 + 120; // the builder's default note data
    const qint32 coverSize = qint32(test::tinyJpeg().size());

    QList<Seed> seeds{
        {"valid", valid},
        {"valid-trailing-bytes", ChartBuilder().trailing("after the thumbnail").build()},
        {"valid-no-pictures", ChartBuilder().cover({}).thumbnail({}).build()},
        {"valid-no-note-data", ChartBuilder().noteData({}).build()},
        {"valid-full-texts", ChartBuilder().titleBytes(QByteArray(64, 'T')).artistBytes(QByteArray(32, 'A'))
                                 .patternBytes(QByteArray(32, 'P')).ojmBytes(QByteArray(32, 'O')).build()},
        {"valid-text-leftovers", ChartBuilder().titleBytes(QByteArray("Hi\0old title", 12)).ojmBytes(QByteArray("a\0b", 3)).build()},
        {"valid-odd-numbers", ChartBuilder().genre(-7).bpm(std::numeric_limits<float>::quiet_NaN()).levels(-32768, 0, 32767)
                                  .songId(min32).build()},
        {"valid-signalling-nan-bpm", ChartBuilder().putInt32(16, 0x7f800001).build()},
        {"truncated-empty", QByteArray()},
        {"truncated-2", valid.left(2)},
        {"truncated-in-header", valid.left(150)},
        {"truncated-299", valid.left(299)},
        {"truncated-in-notes", valid.left(coverOffset - 10)},
        {"truncated-in-cover", valid.left(coverOffset + coverSize / 2)},
        {"truncated-in-thumbnail", valid.left(valid.size() - 1)},
        {"overflowing-offset", ChartBuilder().rawCoverOffset(max32).build()},
        {"overflowing-offset-plus-size", ChartBuilder().rawCoverOffset(max32 - 10).rawCoverSize(100).build()},
        {"overflowing-cover-size", ChartBuilder().rawCoverSize(max32).build()},
        {"overflowing-thumbnail-size", ChartBuilder().rawThumbnailSize(max32).build()},
        {"negative-offset", ChartBuilder().rawCoverOffset(-1).build()},
        {"negative-cover-size", ChartBuilder().rawCoverSize(-5).build()},
        {"negative-thumbnail-size", ChartBuilder().rawThumbnailSize(min32).build()},
        {"cover-inside-header", ChartBuilder().rawCoverOffset(200).build()},
        {"encrypted", ChartBuilder().putBytes(0, "new").build()},
        {"encrypted-only-marker", QByteArray("new")},
        {"not-encrypted-New", ChartBuilder().putBytes(0, "New").build()},
        {"no-signature", ChartBuilder().putBytes(4, "OJN").build()},
        {"web-page", QByteArray("<!DOCTYPE html>\n<html><head><title>404 Not Found</title></head>\n") + QByteArray(300, ' ')},
    };
    return seeds;
}

namespace {

QByteArray withInt32(QByteArray chart, qint64 offset, qint32 value)
{
    qToLittleEndian<qint32>(value, chart.data() + offset);
    return chart;
}

} // namespace

QList<Seed> seedSongLists()
{
    const QByteArray a = ChartBuilder().noteSections(2, 2, 2).songId(100).build();
    const QByteArray b = ChartBuilder().noteSections(1, 0, 3).songId(101).titleBytes("Other").build();
    const QByteArray extra("\x02\0\0\0\x64\0\0\0\x01\0\x65\0\0\0\x00\x07 sections", 25);
    return {
        {"list-empty", test::songListBytes(0, {}, {})},
        {"list-two", test::songListBytes(2, {a, b}, {})},
        {"list-two-extra", test::songListBytes(2, {a, b}, extra)},
        {"list-listed-twice", test::songListBytes(3, {a, b, withInt32(b, 40, 7)}, extra)},
        {"list-short", QByteArray("\1\0\0", 3)},
        {"list-negative", test::songListBytes(-1, {a}, extra)},
        {"list-overrun", test::songListBytes(3, {a, b}, {})},
        {"list-cut-entry", test::songListBytes(1, {a}, {}).chopped(1)},
    };
}

QList<Seed> seedNoteSectionCharts()
{
    const QByteArray sound = ChartBuilder().noteSections(3, 4, 5).build();
    return {
        {"notes-sound", sound},
        {"notes-empty-sections", ChartBuilder().noteSections(0, 0, 0).build()},
        {"notes-one-section", ChartBuilder().noteSections(6, 0, 0).build()},
        {"notes-past-next", withInt32(sound, 64, 4)},
        {"notes-short-of-next", withInt32(sound, 68, 3)},
        {"notes-negative-count", withInt32(sound, 72, -2)},
        {"notes-negative-events", withInt32(sound, 300 + 4, qint32(0xffff0000u))},
        {"notes-out-of-order", withInt32(sound, 288, 301)},
        {"notes-past-cover", withInt32(sound, 292, 0x7fffffff)},
        {"notes-truncated", sound.left(sound.size() - 300)},
        {"notes-encrypted", test::encryptChart(sound, 16, 0xaa, 0x55, 0x0f)},
        {"notes-encrypted-block-1", test::encryptChart(sound, 1, 0x11, 0x22, 0x33)},
        {"notes-encrypted-garbage", test::encryptChart(QByteArray(400, 'x'), 8, 1, 2, 3)},
    };
}

QList<Seed> seedCsvFiles()
{
    const QByteArray head = "file,songId,title,artist,pattern,genre,ojmFile,bpm,levelEx,levelNx,levelHx,noteCountEx,noteCountNx,noteCountHx\r\n";
    return {
        {QStringLiteral("export.csv"), "\xEF\xBB\xBF" + head + "Music/o2ma100.ojn,100,Song,Artist,Tester,Techno,o2ma100.ojm,146.3,1,5,9,100,200,300\r\n"},
        {QStringLiteral("some-columns.csv"), "levelHx,file\n12,/tmp/o2ma1.ojn\n\n13,o2ma2.ojn"},
        {QStringLiteral("quoted.csv"), "file,title\r\n\"a,b.ojn\",\"say \"\"hi\"\"\r\nthere\"\r\n"},
        {QStringLiteral("cr.csv"), "file,genre\rx.ojn,3\ry.ojn,Polka\r"},
        {QStringLiteral("malformed.csv"), head + "a\"b,1\r\n\"c\"d,2\r\ne,1,2,3\r\n\"never closed,\r\n"},
        {QStringLiteral("unknown-column.csv"), "file,tempo\r\nx.ojn,1\r\n"},
        {QStringLiteral("not-utf8.csv"), "file,title\r\nx.ojn,\xB3\xEB\xB7\xA1\r\n"},
        {QStringLiteral("control-characters.csv"), QByteArray("file,title,artist\r\nx.ojn,a\0b,\"line\nbreak\"\r\n", 43)},
        {QStringLiteral("one-song-id.csv"), "file,songId\r\n/tmp/o2ma1.ojn,7\r\n/tmp/o2ma2.ojn,7\r\n"},
    };
}

QList<Seed> seedFileKinds()
{
    const QByteArray chart = ChartBuilder().songId(100).build();
    QByteArray notAChart = chart.left(300);
    notAChart[4] = 'x';
    return {
        {"kind-ojm-m30", QByteArray("M30\0\0\0\3\0", 8) + QByteArray(40, '\x10')},
        {"kind-ojm-omc", QByteArray("OMC\0\2\0\1\0", 8) + QByteArray(12, '\0')},
        {"kind-ojm-ojm", QByteArray("OJM\0", 4)},
        {"kind-jpeg", test::tinyJpeg()},
        {"kind-bmp", QByteArray("BM", 2) + QByteArray(60, '\0')},
        {"kind-empty", QByteArray()},
        {"kind-text", QByteArray("just some words\nand more, on line two\n")},
        {"kind-semicolons", QByteArray("file;title\r\nx.ojn;y\r\n")},
        {"kind-control-byte", QByteArray("file,title\x01\r\n")},
        {"kind-list-of-no-chart", test::songListBytes(1, {notAChart}, {})},
        {"kind-list-of-zero", QByteArray(4, '\0')},
        {"kind-encrypted-marker-only", QByteArray("new\0\1\2\3rest", 11)},
    };
}

QList<Seed> seedsFor(const QString &target)
{
    if (target == QLatin1String("chart_reader"))
        return seedCharts();
    if (target == QLatin1String("song_list"))
        return seedSongLists();
    if (target == QLatin1String("note_sections"))
        return seedNoteSectionCharts() + seedCharts();
    if (target == QLatin1String("csv_reader"))
        return seedCsvFiles();
    if (target == QLatin1String("file_kind"))
        return seedFileKinds() + seedCharts() + seedSongLists() + seedCsvFiles();
    return {};
}

} // namespace ojn::fuzz
