#include "songlist/SongListComparison.h"
#include "songlist/SongListLocation.h"
#include "songlist/SongListSync.h"
#include "support/ChartBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

namespace {

QByteArray chartOf(qint32 id, const QByteArray &title = "Title")
{
    return ChartBuilder().noteSections(1, 1, 1).songId(id).titleBytes(title + '\0').build();
}

ChartScan scanOf(const QByteArray &chart, const QString &name)
{
    ChartScan scan = checkChartBytes(chart);
    scan.path = "Music/" + name;
    return scan;
}

QStringList changesOf(const SongListSync &sync) // "refreshed 101 New", one per change
{
    QStringList changes;
    for (const SongListChange &c : sync.changes)
        changes << QStringLiteral("%1 %2 %3").arg(songListChangeName(c.kind)).arg(c.songId).arg(QString::fromLatin1(c.title));
    return changes;
}

QList<qint32> idsOf(const SongList &list)
{
    QList<qint32> ids;
    for (const QByteArray &e : list.entries)
        ids.append(songIdOfEntry(e));
    return ids;
}

const QByteArray extra("\x02\0\0\0\x64\0\0\0\x01\0\x65\0\0\0\x00\x07 sections", 25);

} // namespace

class SongListTest : public QObject {
    Q_OBJECT
    // A list of 100 (current), 101 (stale), 103 twice and 104 (no chart);
    // charts 100, 101 (retitled), 102 (not listed), 103, one unreadable, and 104's without a signature: no chart.
    SongList m_list{{chartOf(100).left(300), chartOf(101).left(300), chartOf(103).left(300), chartOf(103).left(300),
                     chartOf(104).left(300)},
                    extra};
    QList<ChartScan> m_charts{scanOf(chartOf(100), "o2ma100.ojn"), scanOf(chartOf(101, "New"), "o2ma101.ojn"),
                              scanOf(chartOf(102), "o2ma102.ojn"), scanOf(chartOf(103), "o2ma103.ojn"),
                              scanOf("broken", "broken.ojn"),
                              scanOf(ChartBuilder().songId(104).putBytes(4, "OJN").build(), "o2ma104.ojn")};

private slots:
    // The list beside a Music folder, by either name a game gives it.
    void songListFoundBesideTheFolder_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("found");
        QTest::newRow("OJNList.dat") << QStringList{"Image/OJNList.dat"} << "Image/OJNList.dat";
        QTest::newRow("only the client's name") << QStringList{"Image/X2OJNList.dat"} << "Image/X2OJNList.dat";
        QTest::newRow("both: OJNList.dat") << QStringList{"Image/X2OJNList.dat", "Image/OJNList.dat"} << "Image/OJNList.dat";
        QTest::newRow("the client's name, any case") << QStringList{"image/x2ojnlist.DAT"} << "image/x2ojnlist.DAT";
        QTest::newRow("none") << QStringList{"Image/Other.dat"} << "";
    }
    void songListFoundBesideTheFolder()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        QTemporaryDir game;
        QDir(game.path()).mkpath("Music");
        for (const QString &name : files) {
            QDir(game.path()).mkpath(name.section('/', 0, 0));
            QFile file(game.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString beside = songListBeside(game.filePath("Music"));
        // The same file: on Windows a name in another case is that file too.
        QVERIFY2(found.isEmpty() ? beside.isEmpty() : QFileInfo(beside) == QFileInfo(game.filePath(found)), qPrintable(beside));
    }

    void malformedListsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fault");
        const QByteArray entry = chartOf(1).left(300);
        QTest::newRow("empty") << QByteArray() << "only 0 bytes long, too short for the 4-byte song count";
        QTest::newRow("three bytes") << QByteArray("\1\0\0", 3) << "only 3 bytes long";
        QTest::newRow("negative count") << songListBytes(-1, {}, extra) << "song count is negative (-1)";
        QTest::newRow("entries past the end") << songListBytes(2, {entry}, {}) << "song count 2 needs 600 bytes of entries, but only 300";
        QTest::newRow("last entry cut") << songListBytes(1, {entry}, {}).chopped(1) << "but only 299 follow";
        QTest::newRow("huge count") << songListBytes(0x7fffffff, {entry}, {}) << "needs 644245094100 bytes";
    }
    void malformedListsAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fault);
        QTemporaryDir dir;
        const QString path = dir.filePath("OJNList.dat");
        writeFile(path, bytes);
        const Result<SongList> read = readSongListFile(path);
        QVERIFY(!read.ok());
        QVERIFY2(read.error().contains(fault) && read.error().contains(QDir::toNativeSeparators(path)), qPrintable(read.error()));
    }

    void writingKeepsEveryByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("OJNList.dat");
        const QByteArray bytes = songListBytes(5, m_list.entries, extra);
        writeFile(path, bytes);
        Result<SongList> read = readSongListFile(path);
        QVERIFY2(read.ok(), qPrintable(read.error()));
        QCOMPARE(read->extraSections, extra);
        QCOMPARE(idsOf(read.value()), (QList<qint32>{100, 101, 103, 103, 104}));
        QVERIFY2(writeSongListFile(read.value(), path).ok(), "write failed");
        QCOMPARE(readFile(path), bytes);

        const QString chart = ChartBuilder().writeTo(dir.filePath("o2ma1.OJN"));
        const Result<> refused = writeSongListFile(read.value(), chart);
        QVERIFY2(!refused.ok() && refused.error().contains("never replaces a chart"), qPrintable(refused.error()));
        QCOMPARE(readFile(chart), ChartBuilder().build());
    }

    void comparesByteForByteBySongId()
    {
        const SongListComparison c = compareSongList(m_list, m_charts);
        QList<ListStatus> statuses;
        for (const ChartListState &s : c.charts)
            statuses.append(s.status);
        QCOMPARE(statuses, (QList<ListStatus>{ListStatus::Current, ListStatus::Stale, ListStatus::NotListed,
                                              ListStatus::ListedTwice, ListStatus::Unreadable, ListStatus::Unreadable}));
        QCOMPARE(c.charts[3].entry, 2);
        QCOMPARE(c.missingEntries, QList<qsizetype>{4});
        QCOMPARE(c.count(ListStatus::Missing), 1);
    }

    void sync_data()
    {
        QTest::addColumn<bool>("dropMissing");
        QTest::addColumn<bool>("withUnreadable");
        QTest::addColumn<QList<qint32>>("ids");
        QTest::addColumn<QString>("summary"); // empty: refused
        QTest::addColumn<QStringList>("changes"); // what a dry run lists
        QTest::newRow("keep missing") << false << true << QList<qint32>{100, 101, 103, 103, 104, 102}
                                      << "1 refreshed, 1 added, 1 missing kept, 3 unchanged."
                                      << QStringList{"refreshed 101 New", "added 102 Title"};
        QTest::newRow("drop missing") << true << false << QList<qint32>{100, 101, 103, 103, 102}
                                      << "1 refreshed, 1 added, 1 missing dropped, 3 unchanged."
                                      << QStringList{"refreshed 101 New", "dropped 104 Title", "added 102 Title"};
        // The unreadable file may be song 104's chart.
        QTest::newRow("no drop while a chart is unreadable") << true << true << QList<qint32>{} << QString() << QStringList{};
    }
    void sync()
    {
        QFETCH(bool, dropMissing);
        QFETCH(bool, withUnreadable);
        QFETCH(QList<qint32>, ids);
        QFETCH(QString, summary);
        QFETCH(QStringList, changes);
        const QList<ChartScan> charts = withUnreadable ? m_charts : m_charts.first(4);
        const Result<SongListSync> planned = planSongListSync(m_list, charts, dropMissing);
        if (summary.isEmpty()) {
            QVERIFY2(planned.error().contains("cannot be read, since those may be their charts: broken.ojn, o2ma104.ojn"), qPrintable(planned.error()));
            QVERIFY(!planned.ok());
            return;
        }
        QVERIFY2(planned.ok(), qPrintable(planned.error()));
        const SongListSync &sync = planned.value();
        QCOMPARE(sync.summary(), summary);
        QCOMPARE(changesOf(sync), changes);
        QCOMPARE(idsOf(sync.list), ids);
        QCOMPARE(sync.list.entries[1], m_charts[1].header->bytes);
        QCOMPARE(sync.list.extraSections, extra);
        QCOMPARE(sync.skipped, withUnreadable ? QStringList({"Music/broken.ojn", "Music/o2ma104.ojn"}) : QStringList());
        QVERIFY(sync.changesList());
        // Once in step, a second sync changes nothing.
        const Result<SongListSync> again = planSongListSync(sync.list, charts, dropMissing);
        QVERIFY2(again.ok() && !again->changesList(), qPrintable(again.error()));
        QCOMPARE(again->list.entries, sync.list.entries);
    }

    void buildListsEveryReadableChartInSongIdOrder()
    {
        // An encrypted chart is listed with its true, decrypted header.
        QList<ChartScan> charts = m_charts;
        charts.append(scanOf(encryptChart(chartOf(99), 16, 0xaa, 0x55, 0x0f), "o2ma99.ojn"));
        const Result<SongListSync> built = buildSongList(charts, extra);
        QVERIFY2(built.ok(), qPrintable(built.error()));
        const SongListSync &build = built.value();
        QCOMPARE(idsOf(build.list), (QList<qint32>{99, 100, 101, 102, 103}));
        QCOMPARE(build.list.entries.first(), chartOf(99).left(300));
        QCOMPARE(build.list.extraSections, extra);
        QCOMPARE(build.skipped, (QStringList{"Music/broken.ojn", "Music/o2ma104.ojn"}));

        charts.append(scanOf(chartOf(101), "copy.ojn"));
        charts.append(scanOf(chartOf(99), "again.ojn"));
        const QString error = "song ID 99 (o2ma99.ojn, again.ojn); song ID 101 (o2ma101.ojn, copy.ojn)";
        const Result<SongListSync> refused = buildSongList(charts);
        QVERIFY(!refused.ok());
        QVERIFY2(refused.error().contains(error), qPrintable(refused.error()));
        QVERIFY(planSongListSync(m_list, charts).error().contains(error));
    }
};

QTEST_GUILESS_MAIN(SongListTest)
#include "tst_song_list.moc"
