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
            << QStringList{"Song ID 101, \"Edited\": refreshed\n1 refreshed, 0 added, 0 missing kept, 1 unchanged. Dry run: nothing written."}
            << "" << QList<qint32>{} << true << QStringList{};
        QTest::newRow("sync, nothing changed") << "" << QStringList{"list", "sync", "@list", "@music"} << 0
            << QStringList{"already in step: nothing written."} << "" << QList<qint32>{} << true << QStringList{};
        QTest::newRow("sync, no drop past an unreadable chart") << "short-100" << QStringList{"list", "sync", "@list", "@music", "--drop-missing"} << 1
            << QStringList{} << "may be their charts: o2ma100.ojn" << QList<qint32>{} << true << QStringList{};
        QTest::newRow("sync, no drop down to an empty list") << "" << QStringList{"list", "sync", "@list", "@image", "--drop-missing"} << 1
            << QStringList{} << "would leave the song list with no song. Nothing was written." << QList<qint32>{} << true << QStringList{};

        const QStringList add{"add", "@music", "@src/new.ojn", "--list", "@list"};
        QTest::newRow("add, a taken ID gets the next above the highest") << "src:new.ojn=100" << add << 0
            << QStringList{"copied ", "new.ojm to o2ma102.ojm.\n", "as o2ma102.ojn with song ID 102 and OJM o2ma102.ojm.\n", "updated the song list", "Added 1 chart, 0 already done, 0 refused.\n"} << ""
            << QList<qint32>{100, 101, 102} << true << QStringList{"o2ma102.ojn=set:src/new.ojn:102", "o2ma102.ojm=src:new.ojm", "o2ma100.ojm"};
        QTest::newRow("add, a free ID copied byte for byte") << "src:new.ojn=300:o2ma300.ojm" << add << 0
            << QStringList{"new.ojn to o2ma300.ojn.\n"} << "" << QList<qint32>{100, 101, 300} << true
            << QStringList{"o2ma300.ojn=src:new.ojn", "o2ma300.ojm=src:o2ma300.ojm"};
        QTest::newRow("add, from --first-id") << "src:new.ojn=101" << QStringList{"add", "@music", "@src/new.ojn", "--first-id", "90"} << 0
            << QStringList{"as o2ma90.ojn with song ID 90"} << "" << QList<qint32>{} << true << QStringList{"o2ma90.ojn=set:src/new.ojn:90", "o2ma90.ojm"};
        QTest::newRow("add again adds nothing twice") << "src:new.ojn=100 added" << add << 0
            << QStringList{"new.ojn: already added as o2ma102.ojn.\n", "Added 0 charts, 1 already done, 0 refused."} << ""
            << QList<qint32>{100, 101, 102} << true << QStringList{"!o2ma103.ojn", "!o2ma103.ojm"};
        QTest::newRow("add of one chart named thrice, once from another pack") << "src:new.ojn=100 src-twice"
            << QStringList{"add", "@music", "@src/new.ojn", "@src/../src/new.ojn", "@src/two/new.ojn", "--list", "@list"} << 0
            << QStringList{"new.ojn: already added in this run as o2ma102.ojn.\n", "Added 1 chart, 2 already done, 0 refused."} << ""
            << QList<qint32>{100, 101, 102} << true << QStringList{"o2ma102.ojn=set:src/new.ojn:102", "o2ma102.ojm=src:new.ojm", "!o2ma103.ojn", "!o2ma103.ojm"};
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
            } else if (step == "src-twice") { // the pack again, in src/two
                QVERIFY(QDir(src).mkpath("two") && QFile::copy(src + "/new.ojn", src + "/two/new.ojn") && QFile::copy(src + "/new.ojm", src + "/two/new.ojm"));
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

    // Export and import against a folder of songs 100 and 101 (and, as
    // planted, 102 encrypted or 103 unreadable), the CSV at the game
    // folder's top. `edits`: each changed chart's file and the set options
    // that must give its very bytes, split by "|"; every other chart stays
    // as it was.
    void csvCommands_data()
    {
        QTest::addColumn<QString>("plant");
        QTest::addColumn<QByteArray>("csv"); // written to @csv first, unless empty
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("german");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QString>("err"); // parts split by "|"
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QByteArray>("csvAfter"); // @csv's bytes afterwards, unless empty

        const QByteArray head = "file,songId,title,artist,pattern,genre,ojmFile,bpm,levelEx,levelNx,levelHx,noteCountEx,noteCountNx,noteCountHx\r\n";
        const QByteArray row100 = "Music/o2ma100.ojn,100,Song,Test Artist,Tester,Techno,o2ma100.ojm,146.3,1,5,9,100,200,300\r\n";
        const QByteArray row101 = "Music/o2ma101.ojn,101,Song,Test Artist,Tester,Techno,o2ma101.ojm,120,1,5,9,100,200,300\r\n";
        const QByteArray both = "\xEF\xBB\xBF" + head + row100 + row101;
        const QStringList exportArgs{"export", "@music", "--output", "@csv"};
        const QStringList import{"import", "@csv"};
        QTest::newRow("export, whole file") << "" << QByteArray() << exportArgs << false << 0 << QStringList{"h.csv: 2 charts."} << "" << QStringList{} << both;
        QTest::newRow("export, encrypted read in memory, unreadable left out") << "encrypted short" << QByteArray() << exportArgs << false << 1 << QStringList{}
            << "o2ma103.ojn: The file is too short to be an OJN chart: 9 bytes, a chart header needs 300. It was left out." << QStringList{}
            << both + "Music/o2ma102.ojn,102,Song,Test Artist,Tester,Techno,o2ma102.ojm,120,1,5,9,100,200,300\r\n";
        QTest::newRow("export, standard output, absolute paths") << "" << QByteArray() << QStringList{"export", "@music/o2ma101.ojn"} << false << 0
            << QStringList{"\xEF\xBB\xBF" "file,songId,", "@music/o2ma101.ojn,101,Song"} << "" << QStringList{} << QByteArray();
        QTest::newRow("export, a chart named twice is one row") << "" << QByteArray() << QStringList{"export", "@music", "@music/../Music/o2ma100.ojn", "--output", "@csv"}
            << false << 0 << QStringList{"h.csv: 2 charts."} << "" << QStringList{} << both;
        QTest::newRow("export never onto a chart") << "" << QByteArray() << QStringList{"export", "@music", "--output", "@music/o2ma100.ojn"} << false << 2
            << QStringList{} << "a CSV never replaces one" << QStringList{} << QByteArray();
        QTest::newRow("export then import changes nothing") << "encrypted" << QByteArray("export") << import << false << 0
            << QStringList{"0 charts changed, 3 rows had no change."} << "" << QStringList{} << QByteArray();
        QTest::newRow("a few cells edited") << "" << QByteArray(head + "Music/o2ma100.ojn,100,\"Say \"\"hi\"\", all\",Test Artist,Tester,Rock,o2ma100.ojm,146.3,1,5,12,100,200,300\r\n" + row101)
            << import << false << 0 << QStringList{"Music/o2ma100.ojn: Title: \"Song\" -> \"Say \"hi\", all\"\n", "Music/o2ma100.ojn: Genre: Techno -> Rock\n", "1 chart changed, 1 row had no change."}
            << "" << QStringList{"o2ma100.ojn|--title|Say \"hi\", all|--genre|Rock|--level-hx|12"} << QByteArray();
        QTest::newRow("columns in any order, some left out, LF, no mark") << "" << QByteArray("levelHx,file\n10,Music/o2ma101.ojn\n")
            << import << false << 0 << QStringList{"Level Hx: 9 -> 10"} << "" << QStringList{"o2ma101.ojn|--level-hx|10"} << QByteArray();
        QTest::newRow("reformatted cells change nothing") << "" << QByteArray("file,bpm,levelEx,genre,songId\r\nMusic/o2ma100.ojn,146.30000,1.0,3,1e2\r\n")
            << import << false << 0 << QStringList{"0 charts changed, 1 row had no change."} << "" << QStringList{} << QByteArray();
        QTest::newRow("German comma and point both read") << "" << QByteArray("file,bpm\r\nMusic/o2ma100.ojn,\"130,5\"\r\nMusic/o2ma101.ojn,121.5\r\n")
            << import << true << 0 << QStringList{"BPM: 146.3 -> 130.5", "BPM: 120 -> 121.5"} << "" << QStringList{"o2ma100.ojn|--bpm|130,5", "o2ma101.ojn|--bpm|121,5"} << QByteArray();
        QTest::newRow("dry run writes nothing") << "" << QByteArray("file,title\r\nMusic/o2ma100.ojn,New\r\n") << QStringList{"import", "--dry-run", "@csv"} << false << 0
            << QStringList{"Music/o2ma100.ojn: Title: \"Song\" -> \"New\"", "Dry run: 1 chart would change, 0 rows have no change; nothing was written."} << "" << QStringList{} << QByteArray();
        QTest::newRow("note count differs: reported, not changed") << "" << QByteArray("file,noteCountHx\r\nMusic/o2ma100.ojn,301\r\n") << import << false << 0
            << QStringList{"note: Notes Hx is 300 in the chart, not 301", "0 charts changed, 1 row had no change."} << "" << QStringList{} << QByteArray();
        QTest::newRow("one bad row: nothing written") << "" << QByteArray("file,levelHx\r\nMusic/o2ma100.ojn,12\r\nMusic/o2ma101.ojn,40000\r\n") << import << false << 1
            << QStringList{} << "h.csv, line 3: Level Hx: 40000 is out of range" << QStringList{} << QByteArray();
        QTest::newRow("bad rows named by line") << "" << QByteArray("file,genre,title\r\nMusic/o2ma100.ojn,Polka,x\r\n\"Music/o2ma101.ojn\r\n\",Rock,x\r\nMusic/o2ma100.ojn,Rock\r\nMusic/none.ojn,Rock,x\r\nMusic/o2ma101.ojn,Rock,x\r\nMusic/o2ma101.ojn,Rock,x\r\n") << import << false << 1
            << QStringList{} << "line 2: Genre: \"Polka\" is not in the genre list|line 3: There is no chart|line 5: It has 2 fields|line 6: There is no chart|line 8: It names the same chart as line 7.|5 bad rows in" << QStringList{} << QByteArray();
        QTest::newRow("changed encrypted chart is a bad row") << "encrypted" << QByteArray("file,title\r\nMusic/o2ma101.ojn,New\r\nMusic/o2ma102.ojn,New\r\n") << import << false << 1
            << QStringList{} << "h.csv, line 3: " << QStringList{} << QByteArray();
        QTest::newRow("two charts swap their song IDs") << "" << QByteArray("file,songId,ojmFile\r\nMusic/o2ma100.ojn,101,o2ma101.ojm\r\nMusic/o2ma101.ojn,100,o2ma100.ojm\r\n")
            << import << false << 0 << QStringList{"2 charts changed"} << ""
            << QStringList{"o2ma100.ojn|--id|101|--ojm|o2ma101.ojm", "o2ma101.ojn|--id|100|--ojm|o2ma100.ojm"} << QByteArray();
        QTest::newRow("chart named twice") << "" << QByteArray("file,title\r\nMusic/o2ma101.ojn,A\r\n./Music/o2ma101.ojn,B\r\n") << import << false << 1
            << QStringList{} << "line 3: It names the same chart as line 2." << QStringList{} << QByteArray();
        QTest::newRow("ragged row") << "" << QByteArray("file,title\r\nMusic/o2ma101.ojn,A,B\r\n") << import << false << 1
            << QStringList{} << "line 2: It has 3 fields; the header row has 2." << QStringList{} << QByteArray();
        QTest::newRow("unknown column: usage") << "" << QByteArray("file,tempo\r\n") << import << false << 2
            << QStringList{} << "unknown column \"tempo\"" << QStringList{} << QByteArray();
        QTest::newRow("no file column: usage") << "" << QByteArray("title\r\nA\r\n") << import << false << 2
            << QStringList{} << "no \"file\" column" << QStringList{} << QByteArray();
    }
    void csvCommands()
    {
        QFETCH(QString, plant);
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, args);
        QFETCH(bool, german);
        QFETCH(int, status);
        QFETCH(QStringList, out);
        QFETCH(QString, err);
        QFETCH(QStringList, edits);
        QFETCH(QByteArray, csvAfter);

        QTemporaryDir game, oracle;
        QVERIFY(QDir(game.path()).mkpath("Music"));
        const QString music = game.filePath("Music"), csvPath = game.filePath("h.csv");
        QHash<QString, QByteArray> charts;
        charts["o2ma100.ojn"] = ChartBuilder().noteSections(3, 3, 3).songId(100).bpm(146.3f).titleBytes(QByteArray("Song", 5)).ojmBytes(QByteArray("o2ma100.ojm", 12)).build();
        charts["o2ma101.ojn"] = chartOf(101);
        if (plant.contains("encrypted"))
            charts["o2ma102.ojn"] = encryptChart(chartOf(102), 9, 0x5a, 0x33, 0xc1);
        if (plant.contains("short"))
            charts["o2ma103.ojn"] = "too short";
        for (auto c = charts.cbegin(); c != charts.cend(); ++c)
            writeFile(music + '/' + c.key(), c.value());
        if (csv == "export")
            QCOMPARE(runCli({"export", music, "--output", csvPath}).status, 0);
        else if (!csv.isEmpty())
            writeFile(csvPath, csv);
        // The oracle: set on a copy of each chart edited.
        QHash<QString, QByteArray> expected = charts;
        for (const QString &edit : edits) {
            QStringList setArgs = edit.split('|');
            const QString name = setArgs.takeFirst();
            writeFile(oracle.filePath(name), charts[name]);
            const QLocale locale = german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c();
            QCOMPARE(runCli(QStringList{"set", oracle.filePath(name)} + setArgs, locale).status, 0);
            expected[name] = readFile(oracle.filePath(name));
        }
        args.replaceInStrings("@music", music).replaceInStrings("@csv", csvPath);

        const CliRun run = runCli(args, german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        QVERIFY2(run.status == status, qPrintable(run.out + run.err));
        for (QString text : out)
            QVERIFY2(run.out.contains(text.replace("@music", music)), qPrintable(run.out));
        if (err.isEmpty())
            QCOMPARE(run.err, QString());
        for (const QString &part : err.split('|', Qt::SkipEmptyParts))
            QVERIFY2(run.err.contains(part), qPrintable(run.err));
        QStringList names = expected.keys();
        names.sort();
        QCOMPARE(entriesOf(music), names);
        for (auto c = expected.cbegin(); c != expected.cend(); ++c)
            QVERIFY2(readFile(music + '/' + c.key()) == c.value(), qPrintable(c.key()));
        if (!csvAfter.isEmpty())
            QCOMPARE(readFile(csvPath), csvAfter);
    }
};

QTEST_GUILESS_MAIN(CliFolderTest)
#include "tst_cli_folder.moc"
