#include "CliRunner.h"
#include "support/ChartBuilder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace ojn::test;

namespace {

const QByteArray extra("\x01\0\0\0\x64\0\0\0 extra", 14);

QByteArray chartOf(qint32 id, const QByteArray &title = "Song")
{
    return ChartBuilder().noteSections(3, 3, 3).songId(id).titleBytes(title + '\0').ojmBytes(QStringLiteral("o2ma%1.ojm\0").arg(id).toLatin1()).build();
}

QByteArray listOf(const QList<QByteArray> &charts, const QByteArray &sections)
{
    return songListBytes(qint32(charts.size()), charts, sections);
}

} // namespace

// The folder commands end to end, on a game folder made per row: Music/
// with songs 100 and 101 and their OJMs, and Image/OJNList.dat listing both
// with extra sections.
class CliFolderTest : public QObject {
    Q_OBJECT

private slots:
    void folderCommands_data()
    {
        QTest::addColumn<QString>("plant");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QString>("err");
        QTest::addColumn<QList<qint32>>("listIds"); // the list written, in order; empty: left as it was
        QTest::addColumn<bool>("sections");         // the list carries the extra sections

        const QStringList check{"check", "@music", "--list", "@list"};
        QTest::newRow("check, all in step") << "" << check << 0 << QStringList{"Checked 2 charts: 0 problems, 0 notes; song list: 2 current, 0 stale, 0 not listed, 0 listed twice, 0 missing."} << "" << QList<qint32>{} << true;
        QTest::newRow("check, duplicate song ID") << "o2ma102.ojn=100" << check << 1
            << QStringList{"o2ma100.ojn: problem: Song ID 100 is used by 2 charts: o2ma100.ojn, o2ma102.ojn.", "o2ma102.ojn: problem: The file name says song ID 102"} << "" << QList<qint32>{} << true;
        QTest::newRow("check, renamed file") << "o2ma107.ojn=102" << QStringList{"check", "@music/o2ma107.ojn", "@music/o2ma100.ojn"} << 1
            << QStringList{"o2ma107.ojn: problem: The file name says song ID 107, but the header holds song ID 102.", "Checked 2 charts: 1 problem, 0 notes."} << "" << QList<qint32>{} << true;
        QTest::newRow("check, missing OJM") << "o2ma102.ojn=102 no-ojm" << check << 1
            << QStringList{"o2ma102.ojn: problem: The OJM file \"o2ma102.ojm\" named in the header is not in the folder.", "1 not listed"} << "" << QList<qint32>{} << true;
        QTest::newRow("check, truncated note section") << "o2ma102.ojn=102 truncated" << QStringList{"check", "--json", "@music"} << 1
            << QStringList{"\"problems\":1", "\"type\":\"note-section\"", "The Hx note section runs past the end of the note data"} << "" << QList<qint32>{} << true;
        QTest::newRow("check, stale entry and missing chart") << "edit101 no-100" << check << 1
            << QStringList{"o2ma101.ojn: problem: The song list's entry 2 for song ID 101 differs", "OJNList.dat: problem: Entry 1 lists song ID 100, but no chart"} << "" << QList<qint32>{} << true;
        QTest::newRow("check, encrypted chart is a note") << "o2ma102.ojn=102 encrypted" << QStringList{"check", "@music"} << 0
            << QStringList{"o2ma102.ojn: note: The chart is encrypted", "Checked 3 charts: 0 problems, 1 note."} << "" << QList<qint32>{} << true;

        QTest::newRow("list show") << "" << QStringList{"list", "show", "@list"} << 0
            << QStringList{"Entries:   2\nExtra sections: 14 bytes\n\nEntry:     1\nSong ID:   100\nTitle:     Song\n", "Level Hx:  9\n", "Length Hx: 0:00\n"} << "" << QList<qint32>{} << true;
        QTest::newRow("list show, malformed list") << "bad-list" << QStringList{"list", "show", "--json", "@list"} << 1 << QStringList{} << "is damaged: it is only 3 bytes long" << QList<qint32>{} << true;

        QTest::newRow("build, encrypted chart with its true header") << "o2ma102.ojn=102 encrypted" << QStringList{"list", "build", "@music", "--output", "@list"} << 0
            << QStringList{"OJNList.dat: 3 songs, 0 bytes of extra sections."} << "" << QList<qint32>{100, 101, 102} << false;
        QTest::newRow("build, sections from the old list") << "o2ma099.ojn=99" << QStringList{"list", "build", "@music", "--output", "@list", "--sections-from", "@list"} << 0
            << QStringList{"3 songs, 14 bytes"} << "" << QList<qint32>{99, 100, 101} << true;
        QTest::newRow("build refuses duplicate IDs") << "o2ma102.ojn=100" << QStringList{"list", "build", "@music", "--output", "@list"} << 1
            << QStringList{} << "song ID 100 (o2ma100.ojn, o2ma102.ojn)" << QList<qint32>{} << true;
        // Pointed at Image/ instead of Music/: the list there stays.
        QTest::newRow("build refuses a folder with no chart") << "" << QStringList{"list", "build", "@image", "--output", "@list"} << 1
            << QStringList{} << "so a new song list would list no song. Nothing was written." << QList<qint32>{} << true;
        QTest::newRow("build never onto a chart") << "" << QStringList{"list", "build", "@music", "--output", "@music/o2ma100.ojn"} << 2
            << QStringList{} << "a song list never replaces a chart" << QList<qint32>{} << true;

        QTest::newRow("sync after a header edit") << "edit101" << QStringList{"list", "sync", "@list", "@music"} << 0
            << QStringList{"1 refreshed, 0 added, 0 missing kept, 1 unchanged.\n"} << "" << QList<qint32>{100, 101} << true;
        QTest::newRow("sync adds and keeps") << "o2ma099.ojn=99 no-100" << QStringList{"list", "sync", "@list", "@music"} << 0
            << QStringList{"0 refreshed, 1 added, 1 missing kept, 1 unchanged."} << "" << QList<qint32>{100, 101, 99} << true;
        QTest::newRow("sync drops") << "no-100" << QStringList{"list", "sync", "@list", "@music", "--drop-missing"} << 0
            << QStringList{"1 missing dropped"} << "" << QList<qint32>{101} << true;
        QTest::newRow("sync, dry run") << "edit101" << QStringList{"list", "sync", "--dry-run", "@list", "@music"} << 0
            << QStringList{"1 refreshed, 0 added, 0 missing kept, 1 unchanged. Dry run: nothing written."} << "" << QList<qint32>{} << true;
        QTest::newRow("sync, nothing changed") << "" << QStringList{"list", "sync", "@list", "@music"} << 0
            << QStringList{"already in step: nothing written."} << "" << QList<qint32>{} << true;
        QTest::newRow("sync, no drop past an unreadable chart") << "short-100" << QStringList{"list", "sync", "@list", "@music", "--drop-missing"} << 1
            << QStringList{} << "may be their charts: o2ma100.ojn" << QList<qint32>{} << true;
        QTest::newRow("sync, no drop down to an empty list") << "" << QStringList{"list", "sync", "@list", "@image", "--drop-missing"} << 1
            << QStringList{} << "would leave the song list with no song. Nothing was written." << QList<qint32>{} << true;
    }
    void folderCommands()
    {
        QFETCH(QString, plant);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QStringList, out);
        QFETCH(QString, err);
        QFETCH(QList<qint32>, listIds);
        QFETCH(bool, sections);

        QTemporaryDir game;
        QVERIFY(QDir(game.path()).mkpath("Music") && QDir(game.path()).mkpath("Image"));
        const QString music = game.filePath("Music"), list = game.filePath("Image/OJNList.dat");
        QHash<qint32, QByteArray> headers; // each song's plain first 300 bytes, as the list must hold them
        const auto addChart = [&](const QString &name, qint32 id, const QByteArray &bytes, bool ojm) {
            writeFile(music + '/' + name, bytes);
            if (ojm)
                writeFile(music + QStringLiteral("/o2ma%1.ojm").arg(id), "music");
            headers[id] = chartOf(id).left(300);
        };
        addChart("o2ma100.ojn", 100, chartOf(100), true);
        addChart("o2ma101.ojn", 101, chartOf(101), true);
        writeFile(list, listOf({chartOf(100), chartOf(101)}, extra));
        // A planted fault: "<file>=<id>" (a chart and its OJM), then
        // "no-ojm", "truncated" or "encrypted" for o2ma102.ojn; "edit101", "no-100", "short-100", "bad-list".
        for (const QString &step : plant.split(' ', Qt::SkipEmptyParts)) {
            if (step == "edit101") {
                QCOMPARE(runCli({"set", music + "/o2ma101.ojn", "--title", "Edited"}).status, 0);
                headers[101] = readFile(music + "/o2ma101.ojn").left(300);
            } else if (step == "no-100") {
                QVERIFY(QFile::remove(music + "/o2ma100.ojn"));
            } else if (step == "bad-list") {
                writeFile(list, "bad");
            } else if (step == "short-100") {
                writeFile(music + "/o2ma100.ojn", "too short");
            } else if (step == "truncated") { // Hx claims a 4th package the note data has no room for
                QByteArray chart = chartOf(102);
                qToLittleEndian<qint32>(4, chart.data() + 72);
                writeFile(music + "/o2ma102.ojn", chart);
            } else if (step == "encrypted") {
                writeFile(music + "/o2ma102.ojn", encryptChart(chartOf(102), 9, 0x5a, 0x33, 0xc1));
            } else if (step == "no-ojm") {
                QVERIFY(QFile::remove(music + "/o2ma102.ojm"));
            } else {
                const QString name = step.section('=', 0, 0);
                const qint32 id = step.section('=', 1).toInt();
                addChart(name, id, chartOf(id), true);
            }
        }
        const QByteArray listBefore = readFile(list);
        QFile listFile(list); // an old date shows whether the list was written
        QVERIFY(listFile.open(QIODevice::ReadWrite) && listFile.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime));
        listFile.close();
        args.replaceInStrings("@music", music).replaceInStrings("@list", list).replaceInStrings("@image", game.filePath("Image"));

        const CliRun run = runCli(args);
        QVERIFY2(run.status == status, qPrintable(run.out + run.err));
        for (const QString &text : out)
            QVERIFY2(run.out.contains(text), qPrintable(run.out));
        if (err.isEmpty())
            QCOMPARE(run.err, QString());
        else
            QVERIFY2(run.err.contains(err), qPrintable(run.err));
        QCOMPARE(entriesOf(game.filePath("Image")), QStringList{"OJNList.dat"});
        const QByteArray listAfter = readFile(list);
        if (listIds.isEmpty()) {
            QCOMPARE(listAfter, listBefore);
            QCOMPARE(QFileInfo(list).lastModified().date().year(), 2001);
            return;
        }
        QList<QByteArray> entries;
        for (const qint32 id : listIds)
            entries.append(headers.value(id));
        QCOMPARE(listAfter, listOf(entries, sections ? extra : QByteArray()));
    }
};

QTEST_GUILESS_MAIN(CliFolderTest)
#include "tst_cli_folder.moc"
