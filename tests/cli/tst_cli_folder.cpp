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
        // Files of Music/ afterwards: "name" there, "!name" not there,
        // "name=src:file" a byte-for-byte copy of src/file, "name=set:file:ID" byte for
        // byte what `set --id ID --ojm o2ma<ID>.ojm` saves file (in the game folder) as.
        QTest::addColumn<QStringList>("files");

        const QStringList check{"check", "@music", "--list", "@list"};
        QTest::newRow("check, all in step") << "" << check << 0 << QStringList{"Checked 2 charts: 0 problems, 0 notes; song list: 2 current, 0 stale, 0 not listed, 0 listed twice, 0 missing."} << "" << QList<qint32>{} << true << QStringList{};
        QTest::newRow("check, duplicate song ID") << "o2ma102.ojn=100" << check << 1
            << QStringList{"o2ma100.ojn: problem: Song ID 100 is used by 2 charts: o2ma100.ojn, o2ma102.ojn.", "o2ma102.ojn: problem: The file name says song ID 102"} << "" << QList<qint32>{} << true << QStringList{};
        QTest::newRow("check, renamed file") << "o2ma107.ojn=102" << QStringList{"check", "@music/o2ma107.ojn", "@music/o2ma100.ojn"} << 1
            << QStringList{"o2ma107.ojn: problem: The file name says song ID 107, but the header holds song ID 102.", "Checked 2 charts: 1 problem, 0 notes."} << "" << QList<qint32>{} << true << QStringList{};
        QTest::newRow("check, missing OJM") << "o2ma102.ojn=102 no-ojm" << check << 1
            << QStringList{"o2ma102.ojn: problem: The OJM file \"o2ma102.ojm\" named in the header is not in the folder.", "1 not listed"} << "" << QList<qint32>{} << true << QStringList{};
        QTest::newRow("check, truncated note section") << "o2ma102.ojn=102 truncated" << QStringList{"check", "--json", "@music"} << 1
            << QStringList{"\"problems\":1", "\"type\":\"note-section\"", "The Hx note section runs past the end of the note data"} << "" << QList<qint32>{} << true << QStringList{};
        QTest::newRow("check, stale entry and missing chart") << "edit101 no-100" << check << 1
            << QStringList{"o2ma101.ojn: problem: The song list's entry 2 for song ID 101 differs", "OJNList.dat: problem: Entry 1 lists song ID 100, but no chart"} << "" << QList<qint32>{} << true << QStringList{};
        QTest::newRow("check, encrypted chart is a note") << "o2ma102.ojn=102 encrypted" << QStringList{"check", "@music"} << 0
            << QStringList{"o2ma102.ojn: note: The chart is encrypted", "Checked 3 charts: 0 problems, 1 note."} << "" << QList<qint32>{} << true << QStringList{};

        QTest::newRow("list show") << "" << QStringList{"list", "show", "@list"} << 0
            << QStringList{"Entries:   2\nExtra sections: 14 bytes\n\nEntry:     1\nSong ID:   100\nTitle:     Song\n", "Level Hx:  9\n", "Length Hx: 0:00\n"} << "" << QList<qint32>{} << true << QStringList{};
        QTest::newRow("list show, malformed list") << "bad-list" << QStringList{"list", "show", "--json", "@list"} << 1 << QStringList{} << "is damaged: it is only 3 bytes long" << QList<qint32>{} << true << QStringList{};

        QTest::newRow("build, encrypted chart with its true header") << "o2ma102.ojn=102 encrypted" << QStringList{"list", "build", "@music", "--output", "@list"} << 0
            << QStringList{"OJNList.dat: 3 songs, 0 bytes of extra sections."} << "" << QList<qint32>{100, 101, 102} << false << QStringList{};
        QTest::newRow("build, sections from the old list") << "o2ma099.ojn=99" << QStringList{"list", "build", "@music", "--output", "@list", "--sections-from", "@list"} << 0
            << QStringList{"3 songs, 14 bytes"} << "" << QList<qint32>{99, 100, 101} << true << QStringList{};
        QTest::newRow("build refuses duplicate IDs") << "o2ma102.ojn=100" << QStringList{"list", "build", "@music", "--output", "@list"} << 1
            << QStringList{} << "song ID 100 (o2ma100.ojn, o2ma102.ojn)" << QList<qint32>{} << true << QStringList{};
        // Pointed at Image/ instead of Music/: the list there stays.
        QTest::newRow("build refuses a folder with no chart") << "" << QStringList{"list", "build", "@image", "--output", "@list"} << 1
            << QStringList{} << "so a new song list would list no song. Nothing was written." << QList<qint32>{} << true << QStringList{};
        QTest::newRow("build never onto a chart") << "" << QStringList{"list", "build", "@music", "--output", "@music/o2ma100.ojn"} << 2
            << QStringList{} << "a song list never replaces a chart" << QList<qint32>{} << true << QStringList{};

        QTest::newRow("sync after a header edit") << "edit101" << QStringList{"list", "sync", "@list", "@music"} << 0
            << QStringList{"1 refreshed, 0 added, 0 missing kept, 1 unchanged.\n"} << "" << QList<qint32>{100, 101} << true << QStringList{};
        QTest::newRow("sync adds and keeps") << "o2ma099.ojn=99 no-100" << QStringList{"list", "sync", "@list", "@music"} << 0
            << QStringList{"0 refreshed, 1 added, 1 missing kept, 1 unchanged."} << "" << QList<qint32>{100, 101, 99} << true << QStringList{};
        QTest::newRow("sync drops") << "no-100" << QStringList{"list", "sync", "@list", "@music", "--drop-missing"} << 0
            << QStringList{"1 missing dropped"} << "" << QList<qint32>{101} << true << QStringList{};
        QTest::newRow("sync, dry run") << "edit101" << QStringList{"list", "sync", "--dry-run", "@list", "@music"} << 0
            << QStringList{"1 refreshed, 0 added, 0 missing kept, 1 unchanged. Dry run: nothing written."} << "" << QList<qint32>{} << true << QStringList{};
        QTest::newRow("sync, nothing changed") << "" << QStringList{"list", "sync", "@list", "@music"} << 0
            << QStringList{"already in step: nothing written."} << "" << QList<qint32>{} << true << QStringList{};
        QTest::newRow("sync, no drop past an unreadable chart") << "short-100" << QStringList{"list", "sync", "@list", "@music", "--drop-missing"} << 1
            << QStringList{} << "may be their charts: o2ma100.ojn" << QList<qint32>{} << true << QStringList{};
        QTest::newRow("sync, no drop down to an empty list") << "" << QStringList{"list", "sync", "@list", "@image", "--drop-missing"} << 1
            << QStringList{} << "would leave the song list with no song. Nothing was written." << QList<qint32>{} << true << QStringList{};

        const QStringList add{"add", "@music", "@src/new.ojn", "--list", "@list"};
        QTest::newRow("add, a taken ID gets the next above the highest") << "src:new.ojn=100" << add << 0
            << QStringList{"copied ", "new.ojm to o2ma102.ojm.\n", "as o2ma102.ojn with song ID 102 and OJM o2ma102.ojm.\n", "synced the song list", "Added 1 chart, 0 already done, 0 refused.\n"} << ""
            << QList<qint32>{100, 101, 102} << true << QStringList{"o2ma102.ojn=set:src/new.ojn:102", "o2ma102.ojm=src:new.ojm", "o2ma100.ojm"};
        QTest::newRow("add, a free ID copied byte for byte") << "src:new.ojn=300:o2ma300.ojm" << add << 0
            << QStringList{"new.ojn to o2ma300.ojn.\n"} << "" << QList<qint32>{100, 101, 300} << true
            << QStringList{"o2ma300.ojn=src:new.ojn", "o2ma300.ojm=src:o2ma300.ojm"};
        QTest::newRow("add, from --first-id") << "src:new.ojn=101" << QStringList{"add", "@music", "@src/new.ojn", "--first-id", "90"} << 0
            << QStringList{"as o2ma90.ojn with song ID 90"} << "" << QList<qint32>{} << true << QStringList{"o2ma90.ojn=set:src/new.ojn:90", "o2ma90.ojm"};
        QTest::newRow("add again adds nothing twice") << "src:new.ojn=100 added" << add << 0
            << QStringList{"new.ojn: already added as o2ma102.ojn.\n", "Added 0 charts, 1 already done, 0 refused."} << ""
            << QList<qint32>{100, 101, 102} << true << QStringList{"!o2ma103.ojn", "!o2ma103.ojm"};
        QTest::newRow("add, dry run") << "src:new.ojn=100" << QStringList{"add", "--dry-run", "@music", "@src/new.ojn"} << 0
            << QStringList{"would copy ", "would write ", "(song ID 100 is taken; it gets 102)", "Dry run, nothing written: added 1 chart"} << ""
            << QList<qint32>{} << true << QStringList{"!o2ma102.ojn", "!o2ma102.ojm"};
        QTest::newRow("add refuses a chart without its OJM") << "src:new.ojn=100 src-no-ojm" << add << 1
            << QStringList{"Added 0 charts, 0 already done, 1 refused."} << "refused: its OJM is not beside it: looked for \"new.ojm\"."
            << QList<qint32>{} << true << QStringList{"!o2ma102.ojn", "!o2ma102.ojm"};
        QTest::newRow("add refuses an encrypted chart it would rewrite") << "src:new.ojn=100 src-encrypted" << add << 1
            << QStringList{} << "it is encrypted, so its header cannot be rewritten to song ID 102" << QList<qint32>{} << true << QStringList{"!o2ma102.ojm"};
        QTest::newRow("add refuses a chart of the folder") << "" << QStringList{"add", "@music", "@music/o2ma100.ojn"} << 1
            << QStringList{} << "it is already in the folder" << QList<qint32>{} << true << QStringList{"o2ma100.ojn"};
        QTest::newRow("add without charts") << "" << QStringList{"add", "@music"} << 2
            << QStringList{} << "add: give the music folder, then the charts to add." << QList<qint32>{} << true << QStringList{};

        QTest::newRow("renumber replaces the list entry where it stands") << "" << QStringList{"renumber", "@music/o2ma100.ojn", "--id", "300", "--list", "@list"} << 0
            << QStringList{"moved o2ma100.ojm to o2ma300.ojm.\n", "removed o2ma100.ojn.\n", "Renumbered 1 chart"} << ""
            << QList<qint32>{300, 101} << true << QStringList{"o2ma300.ojn=set:Music/o2ma100.ojn:300", "o2ma300.ojm", "!o2ma100.ojn", "!o2ma100.ojm"};
        QTest::newRow("renumber refuses a taken ID") << "" << QStringList{"renumber", "@music/o2ma100.ojn", "--id", "101", "--list", "@list"} << 1
            << QStringList{} << "song ID 101 is not free in the folder" << QList<qint32>{} << true << QStringList{"o2ma100.ojn", "o2ma100.ojm"};
        QTest::newRow("renumber without --id") << "" << QStringList{"renumber", "@music/o2ma100.ojn"} << 2
            << QStringList{} << "renumber: give --id N" << QList<qint32>{} << true << QStringList{};

        QTest::newRow("rename names a pair for its ID") << "pair:song=102" << QStringList{"rename", "@music", "--list", "@list"} << 0
            << QStringList{"wrote song.ojn as o2ma102.ojn", "moved song.ojm to o2ma102.ojm.\n", "removed song.ojn.\n", "Renamed 1 chart"} << ""
            << QList<qint32>{100, 101, 102} << true << QStringList{"o2ma102.ojn=set:Music/song.ojn:102", "o2ma102.ojm", "!song.ojn", "!song.ojm"};
        QTest::newRow("rename refuses a taken name") << "pair:song=102 o2ma102.ojn=103" << QStringList{"rename", "@music"} << 1
            << QStringList{"moved o2ma102.ojn to o2ma103.ojn."} << "song.ojn: refused: its new name o2ma102.ojn is taken by another file."
            << QList<qint32>{} << true << QStringList{"song.ojn", "song.ojm"};
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
        QFETCH(QStringList, files);

        QTemporaryDir game;
        QVERIFY(QDir(game.path()).mkpath("Music") && QDir(game.path()).mkpath("Image"));
        const QString music = game.filePath("Music"), list = game.filePath("Image/OJNList.dat"), src = game.filePath("src");
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
            } else if (step.startsWith("src:")) { // a chart to add, its OJM named after it
                QDir(game.path()).mkpath("src");
                const QString name = step.mid(4).section('=', 0, 0);
                const qint32 id = step.section('=', 1).section(':', 0, 0).toInt();
                const QString ojm = step.contains(':') && step.section('=', 1).contains(':') ? step.section(':', 2) : name.chopped(4) + ".ojm";
                writeFile(src + '/' + name, ChartBuilder().noteSections(3, 3, 3).songId(id).titleBytes(QByteArray("New", 4)).ojmBytes(ojm.toLatin1() + '\0').build());
                writeFile(src + '/' + ojm, "new music");
            } else if (step == "src-no-ojm") {
                QVERIFY(QFile::remove(src + "/new.ojm"));
            } else if (step == "src-encrypted") {
                writeFile(src + "/new.ojn", encryptChart(readFile(src + "/new.ojn"), 9, 0x5a, 0x33, 0xc1));
            } else if (step == "added") {
                QCOMPARE(runCli({"add", music, src + "/new.ojn", "--list", list}).status, 0);
                headers[102] = readFile(music + "/o2ma102.ojn").left(300);
            } else if (step.startsWith("pair:")) { // NAME.ojn naming NAME.ojm
                const QString name = step.mid(5).section('=', 0, 0);
                writeFile(music + '/' + name + ".ojn", ChartBuilder().noteSections(3, 3, 3).songId(step.section('=', 1).toInt()).titleBytes(QByteArray("Pair", 5)).ojmBytes(name.toLatin1() + ".ojm" + '\0').build());
                writeFile(music + '/' + name + ".ojm", "pair music");
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
        args.replaceInStrings("@music", music).replaceInStrings("@list", list).replaceInStrings("@src", src).replaceInStrings("@image", game.filePath("Image"));
        QHash<QString, QByteArray> expected; // the files' bytes, worked out before the command runs
        for (const QString &file : files) {
            const QString from = file.section('=', 1);
            if (from.startsWith("src:")) {
                expected.insert(file.section('=', 0, 0), readFile(src + '/' + from.mid(4)));
            } else if (from.startsWith("set:")) {
                const QString oracle = game.filePath("oracle.ojn");
                const QString id = from.section(':', 2);
                QCOMPARE(runCli({"set", game.filePath(from.section(':', 1, 1)), "--id", id, "--ojm", "o2ma" + id + ".ojm", "--output", oracle}).status, 0);
                expected.insert(file.section('=', 0, 0), readFile(oracle));
                QVERIFY(QFile::remove(oracle));
            }
        }

        const CliRun run = runCli(args);
        QVERIFY2(run.status == status, qPrintable(run.out + run.err));
        for (const QString &text : out)
            QVERIFY2(run.out.contains(text), qPrintable(run.out));
        if (err.isEmpty())
            QCOMPARE(run.err, QString());
        else
            QVERIFY2(run.err.contains(err), qPrintable(run.err));
        QCOMPARE(entriesOf(game.filePath("Image")), QStringList{"OJNList.dat"});
        for (const QString &file : files) {
            const QString name = file.section('=', 0, 0);
            if (name.startsWith('!'))
                QVERIFY2(!QFileInfo::exists(music + '/' + name.mid(1)), qPrintable(name));
            else
                QVERIFY2(QFileInfo::exists(music + '/' + name), qPrintable(name));
            if (expected.contains(name))
                QVERIFY2(readFile(music + '/' + name) == expected.value(name), qPrintable(name));
        }
        QVERIFY2(!entriesOf(music).join(' ').contains(".saving"), qPrintable(entriesOf(music).join(' ')));
        const QByteArray listAfter = readFile(list);
        if (listIds.isEmpty()) {
            QCOMPARE(listAfter, listBefore);
            QCOMPARE(QFileInfo(list).lastModified().date().year(), 2001);
            return;
        }
        QList<QByteArray> entries;
        for (const qint32 id : listIds)
            entries.append(headers.contains(id) ? headers.value(id) : readFile(QStringLiteral("%1/o2ma%2.ojn").arg(music).arg(id)).left(300));
        QCOMPARE(listAfter, listOf(entries, sections ? extra : QByteArray()));
    }
};

QTEST_GUILESS_MAIN(CliFolderTest)
#include "tst_cli_folder.moc"
