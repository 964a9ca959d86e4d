#include "CliRunner.h"
#include "support/ChartBuilder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include "support/OrdinaryUser.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

using namespace ojn::test;

namespace {

QByteArray chartOf(qint32 id)
{
    return ChartBuilder().noteSections(3, 3, 3).songId(id).titleBytes(QByteArray("Song", 5))
        .ojmBytes(QStringLiteral("o2ma%1.ojm").arg(id).toLatin1() + '\0').build();
}

// What a file of the game folder is, as a save must leave it: its kind,
// bytes or link target, permissions and, on POSIX, owner and group.
QString stateOf(const QString &path)
{
    const QFileInfo info(path);
    QString state;
#ifndef Q_OS_WIN
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return QStringLiteral("gone");
    state = QStringLiteral("mode %1 owner %2:%3 ").arg(status.st_mode, 0, 8).arg(status.st_uid).arg(status.st_gid);
#else
    state = QStringLiteral("permissions %1 ").arg(int(info.permissions()), 0, 16);
#endif
    if (info.isSymLink())
        return state + QStringLiteral("link to ") + info.symLinkTarget();
    if (info.isDir())
        return state + QStringLiteral("folder");
    if (!info.isFile())
        return state + QStringLiteral("special");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return state + QStringLiteral("unreadable");
    return state + QString::fromLatin1(file.readAll().toHex());
}

QMap<QString, QString> snapshot(const QString &folder)
{
    QMap<QString, QString> states;
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        states.insert(QDir(folder).relativeFilePath(path), stateOf(path));
    }
    return states;
}

#ifndef Q_OS_WIN
// The real program, as an ordinary user (root would pass every permission)
// or as root; in a process of its own, so that a wait on a pipe fails the
// row instead of holding up the suite.
CliRun runProgram(const QStringList &arguments, bool asUser)
{
    QProcess process;
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    if (asUser)
        startAsOrdinaryUser(process, QStringLiteral(OJN_HEADER_PROGRAM), arguments);
    else
        process.start(QStringLiteral(OJN_HEADER_PROGRAM), arguments);
    CliRun run;
    if (!process.waitForFinished(asUser ? 60000 : 20000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        return run;
    }
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void giveTreeToOrdinaryUser(const QString &folder)
{
    giveToOrdinaryUser(folder);
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        giveToOrdinaryUser(entries.next());
}
#endif

} // namespace

// Mistakes users make, each against a fresh game folder: Music/ with songs
// 100 and 101 and their OJMs, Image/OJNList.dat listing both, and a pack
// in src/ (new.ojn, song 100, with new.ojm). Whatever the command says,
// every file of the game folder stays byte for byte and permission for
// permission as it was.
class CliMistakesTest : public QObject {
    Q_OBJECT

private slots:
    void mistakes_data()
    {
        QTest::addColumn<QString>("plant");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said"); // parts of what it printed, split by "|"
        QTest::addColumn<bool>("asUser");  // run as an ordinary user, who owns the game folder

        // Plants, each "what:path=value" with paths in the game folder:
        // "chart:P=ID" a chart, "file:P=TEXT" a file (TEXT percent-encoded,
        // %00 a zero, %0D%0A a line break; "@long" in it is 5,000,000 a's),
        // "page:P" a 404 page saved as a file (song 1836345404 by its first bytes), "list:P=ID,ID" a song list of
        // those charts, "link:P=TARGET" a symbolic link, "fifo:P" a named
        // pipe, "mode:P=OCTAL" permissions, "dir:P" a folder, "copy:P=FROM"
        // a copy of a file of the game folder. "@out" in the arguments is a
        // folder outside the game's.

        // Outputs
        QTest::newRow("export onto a chart by its name") << "" << QStringList{"export", "@music", "--output", "@music/o2ma100.ojn"} << 2
            << "a CSV never replaces one" << false;
        QTest::newRow("list build onto a chart by its name") << "" << QStringList{"list", "build", "@music", "--output", "@music/o2ma100.ojn"} << 2
            << "a song list never replaces a chart" << false;
        QTest::newRow("extract onto the chart itself") << "" << QStringList{"extract", "@music/o2ma100.ojn", "--cover", "@music/o2ma100.ojn"} << 2
            << "is the chart itself" << false;
        QTest::newRow("set in a read-only folder") << "mode:Music=555" << QStringList{"set", "@music/o2ma100.ojn", "--title", "New"} << 1
            << "Could not save|Permission denied" << true;
        QTest::newRow("list build onto an OJM") << "" << QStringList{"list", "build", "@music", "--output", "@music/o2ma100.ojm"} << 2
            << "o2ma100.ojm: it is an OJM music file, and a song list never replaces one." << false;
        QTest::newRow("list build onto a chart named .dat") << "chart:Image/Other.dat=102"
            << QStringList{"list", "build", "@music", "--output", "@game/Image/Other.dat"} << 2
            << "Other.dat: it is a chart, and a song list never replaces one." << false;
        QTest::newRow("list build with --sections-from a chart") << ""
            << QStringList{"list", "build", "@music", "--output", "@game/Image/New.dat", "--sections-from", "@music/o2ma101.ojn"} << 2
            << "o2ma101.ojn is a chart, not a song list." << false;
        QTest::newRow("extract the thumbnail onto another chart") << ""
            << QStringList{"extract", "@music/o2ma100.ojn", "--thumbnail", "@music/o2ma101.ojn"} << 2
            << "o2ma101.ojn: it is a chart, and a picture never replaces one." << false;
        QTest::newRow("extract the cover onto the song list") << "" << QStringList{"extract", "@music/o2ma100.ojn", "--cover", "@list"} << 2
            << "OJNList.dat: it is a song list, and a picture never replaces one." << false;
        QTest::newRow("extract the cover onto an OJM named .jpg") << "copy:cover.jpg=Music/o2ma101.ojm"
            << QStringList{"extract", "@music/o2ma100.ojn", "--cover", "@game/cover.jpg"} << 2 << "it is an OJM music file" << false;
        QTest::newRow("extract onto the chart through ..") << ""
            << QStringList{"extract", "@music/o2ma100.ojn", "--cover", "@game/src/../Music/o2ma100.ojn"} << 2 << "is the chart itself" << false;
        QTest::newRow("export onto the song list") << "" << QStringList{"export", "@music", "--output", "@list"} << 2
            << "OJNList.dat: it is a song list, and a CSV never replaces one." << false;
        QTest::newRow("export onto an OJM through a link") << "link:headers.csv=Music/o2ma101.ojm"
            << QStringList{"export", "@music", "--output", "@game/headers.csv"} << 2 << "a CSV never replaces one" << false;
        QTest::newRow("export onto a named pipe") << "fifo:headers.csv" << QStringList{"export", "@music", "--output", "@game/headers.csv"} << 2
            << "not a regular file" << false;
        QTest::newRow("set --output onto an OJM") << ""
            << QStringList{"set", "@music/o2ma100.ojn", "--title", "New", "--output", "@music/o2ma101.ojm"} << 2
            << "o2ma101.ojm: it is an OJM music file, and a chart never replaces one." << false;
        QTest::newRow("set --output naming the chart through ..") << ""
            << QStringList{"set", "@music/o2ma100.ojn", "--title", "New", "--output", "@music/../Music/o2ma100.ojn"} << 2
            << "is the chart itself" << false;
        QTest::newRow("set --output naming a link to the chart") << "link:Music/alias.ojn=Music/o2ma100.ojn"
            << QStringList{"set", "@music/o2ma100.ojn", "--title", "New", "--output", "@music/alias.ojn"} << 2
            << "is the chart itself" << false;
#ifdef Q_OS_WIN // one file there whatever the case
        QTest::newRow("set --output naming the chart in another case") << ""
            << QStringList{"set", "@music/o2ma100.ojn", "--title", "New", "--output", "@music/O2MA100.OJN"} << 2
            << "is the chart itself" << false;
#endif

        // Folder commands
        const QStringList renumber{"renumber", "@music/o2ma100.ojn", "--id", "300", "--list", "@list"};
        QTest::newRow("renumber in a read-only folder, with the list") << "mode:Music=555" << renumber << 1
            << "o2ma100.ojn: Could not create|Permission denied|Renumbered 0 charts, 0 already done, 1 refused." << true;
        QTest::newRow("add in a read-only folder, with the list") << "mode:Music=555" << QStringList{"add", "@music", "@src/new.ojn", "--list", "@list"}
            << 1 << "new.ojn: Could not create|Permission denied|Added 0 charts, 0 already done, 1 refused." << true;
        QTest::newRow("renumber to a negative ID") << "" << QStringList{"renumber", "@music/o2ma100.ojn", "--id", "-5"} << 2
            << "--id -5: a song ID is a number from 0 to 2147483647." << false;
        QTest::newRow("renumber the tutorial") << "chart:Music/Tutorial.ojn=1" << QStringList(renumber).replaceInStrings("o2ma100", "Tutorial")
            << 1 << "Tutorial.ojn: refused: the game finds its tutorial by the name Tutorial.ojn" << false;
        QTest::newRow("renumber, its OJM there in two cases") << "file:Music/O2MA100.OJM=M30" << renumber << 1
            << "its OJM is ambiguous: \"O2MA100.OJM\" and \"o2ma100.ojm\" differ only in case" << false;
        QTest::newRow("add a chart holding a negative ID") << "chart:src/minus.ojn=-5 file:src/o2ma-5.ojm=M30" << QStringList{"add", "@music", "@src/minus.ojn"}
            << 1 << "minus.ojn: refused: its song ID -5 is invalid: a song ID is a number from 0 to 2147483647." << false;
        QTest::newRow("add when no ID is left above the highest") << "chart:Music/o2ma2147483647.ojn=2147483647" << QStringList{"add", "@music", "@src/new.ojn"}
            << 1 << "no song ID above 2147483647, the highest in the folder, is free; give --first-id N to pick from N up." << false;

        // What is no chart
        const QString page = "page:Music/o2ma7.ojn";
        const QString signature = "o2ma7.ojn: The header has no \"ojn\" signature at byte 4.";
        QTest::newRow("list build with a web page as o2ma7.ojn") << page << QStringList{"list", "build", "@music", "--output", "@out/OJNList.dat"}
            << 1 << signature + " The chart is left out.|2 songs" << false;
        QTest::newRow("list sync with a web page as o2ma7.ojn") << page << QStringList{"list", "sync", "@list", "@music"} << 1
            << "The chart is left out.|0 refreshed, 0 added|already in step" << false;
        QTest::newRow("export with a web page as o2ma7.ojn") << page << QStringList{"export", "@music", "--output", "@out/headers.csv"} << 1
            << signature + " It was left out.|2 charts" << false;
        QTest::newRow("add a web page as a pack chart") << "page:src/song.ojn file:src/song.ojm=M30"
            << QStringList{"add", "@music", "@src/song.ojn", "--list", "@list"} << 1 << "song.ojn|no \"ojn\" signature" << false;
        const QString dangling = "link:Music/o2ma5.ojn=/nonexistent-drive/o2ma5.ojn";
        QTest::newRow("list sync --drop-missing with a listed song's chart on a drive not mounted") << dangling + " list:Image/OJNList.dat=100,101,5"
            << QStringList{"list", "sync", "@list", "@music", "--drop-missing"} << 1 << "which does not exist|not dropped|o2ma5.ojn" << false;
        QTest::newRow("add a link to a drive not mounted") << "link:src/far.ojn=/nonexistent-drive/far.ojn"
            << QStringList{"add", "@music", "@src/far.ojn"} << 1 << "far.ojn|which does not exist" << false;
        QTest::newRow("check a link to a drive not mounted, a folder, a loop of links and a link to a device, named .ojn")
            << dangling + " dir:Music/old.ojn link:Music/a.ojn=Music/b.ojn link:Music/b.ojn=Music/a.ojn link:Music/o2ma6.OJN=/dev/null"
            << QStringList{"check", "@music"} << 1 << "o2ma5.ojn: problem: The chart cannot be read: it is a link to /nonexistent-drive/o2ma5.ojn, which does not exist."
                   "|old.ojn: problem: The chart cannot be read: it is a folder.|a.ojn: problem: The chart cannot be read: it is a link in a loop"
                   "|it is a link to /dev/null, which is a device." << false;
        QTest::newRow("check with named pipes as a chart and as a chart's OJM") << "fifo:Music/o2ma5.ojn chart:Music/o2ma102.ojn=102 fifo:Music/o2ma102.ojm"
            << QStringList{"check", "@music"} << 1 << "o2ma5.ojn: problem: The chart cannot be read: it is a named pipe (FIFO)."
                   "|The OJM file \"o2ma102.ojm\" named in the header cannot be read: it is a named pipe (FIFO)." << false;
        QTest::newRow("list sync --drop-missing with a named pipe as a listed song's chart") << "fifo:Music/o2ma5.ojn list:Image/OJNList.dat=100,101,5"
            << QStringList{"list", "sync", "@list", "@music", "--drop-missing"} << 1 << "named pipe|not dropped|o2ma5.ojn" << false;
        QTest::newRow("add a named pipe as a pack chart") << "fifo:src/pipe.ojn" << QStringList{"add", "@music", "@src/pipe.ojn"} << 1
            << "pipe.ojn|it is a named pipe (FIFO)" << false;
        QTest::newRow("list show a named pipe as the song list") << "fifo:Image/pipe.dat"
            << QStringList{"list", "show", "@game/Image/pipe.dat"} << 1 << "pipe.dat is not a regular file, so it cannot be a song list: it is a named pipe (FIFO)." << false;
        QTest::newRow("import a named pipe as the CSV") << "fifo:src/h.csv" << QStringList{"import", "@src/h.csv"} << 2
            << "h.csv is not a regular file, so it cannot be a CSV: it is a named pipe (FIFO)." << false;
        QTest::newRow("add an empty OJM beside a named pipe named as one") << "chart:src/o2ma300.ojn=300 file:src/o2ma300.ojm= fifo:Music/o2ma102.ojm"
            << QStringList{"add", "@music", "@src/o2ma300.ojn", "--dry-run"} << 0 << "would copy|o2ma300.ojm" << false;
        QTest::newRow("add a chart whose OJM is a named pipe") << "chart:src/o2ma300.ojn=300 fifo:src/o2ma300.ojm"
            << QStringList{"add", "@music", "@src/o2ma300.ojn", "--list", "@list"} << 1 << "its OJM o2ma300.ojm cannot be read: it is a named pipe (FIFO)." << false;
        QTest::newRow("import a title cell holding a zero") << "file:src/h.csv=file,title%0D%0A../Music/o2ma100.ojn,a%00b"
            << QStringList{"import", "@src/h.csv"} << 1 << "h.csv, line 2: Title: \"a\\x00b\" holds a zero character|nothing was written" << false;
        QTest::newRow("import an over-long title cell") << "file:src/h.csv=file,title%0D%0A../Music/o2ma100.ojn,@long"
            << QStringList{"import", "@src/h.csv"} << 1 << "Title: \"" + QString(60, 'a') + "\u2026\" (5000000 characters) is too long" << false;
        QTest::newRow("import an over-long note count") << "file:src/h.csv=file,noteCountEx%0D%0A../Music/o2ma100.ojn,@long"
            << QStringList{"import", "@src/h.csv", "--dry-run"} << 0 << "(5000000 characters); note counts are only shown" << false;
        QTest::newRow("set --title with a line break") << "" << QStringList{"set", "@music/o2ma100.ojn", "--title", "New\nTitle"} << 2
            << "--title: \"New\\x0aTitle\" holds a line break" << false;
        QTest::newRow("import giving a chart the song ID another holds") << "file:src/h.csv=file,songId%0D%0A../Music/o2ma100.ojn,101"
            << QStringList{"import", "@src/h.csv"} << 1 << "line 2: o2ma100.ojn would get song ID 101, which o2ma101.ojn would hold too|1 bad row|nothing was written" << false;
        QTest::newRow("import giving two charts one song ID") << "file:src/h.csv=file,songId%0D%0A../Music/o2ma100.ojn,300%0D%0A../Music/o2ma101.ojn,300"
            << QStringList{"import", "@src/h.csv"} << 1 << "line 2: o2ma100.ojn would get song ID 300, which o2ma101.ojn (line 3) would hold too"
                   "|line 3: o2ma101.ojn would get song ID 300, which o2ma100.ojn (line 2)|2 bad rows" << false;
    }
    void mistakes()
    {
        QFETCH(QString, plant);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, said);
        QFETCH(bool, asUser);
#ifdef Q_OS_WIN
        if (asUser || plant.contains("link:") || plant.contains("mode:") || plant.contains("fifo:"))
            QSKIP("Links, pipes and permission bits are POSIX ones.");
        if (QByteArray(QTest::currentDataTag()).contains("two cases"))
            QSKIP("Names differing only in case are one name there.");
#endif

        QTemporaryDir game;
        const QDir top(game.path());
        QVERIFY(top.mkpath("Music") && top.mkpath("Image") && top.mkpath("src"));
        for (const qint32 id : {100, 101}) {
            writeFile(game.filePath(QStringLiteral("Music/o2ma%1.ojn").arg(id)), chartOf(id));
            writeFile(game.filePath(QStringLiteral("Music/o2ma%1.ojm").arg(id)), "M30" + QByteArray(1, '\0') + "music");
        }
        writeFile(game.filePath("Image/OJNList.dat"), songListBytes(2, {chartOf(100), chartOf(101)}));
        writeFile(game.filePath("src/new.ojn"), ChartBuilder().noteSections(3, 3, 3).songId(100).titleBytes(QByteArray("New", 4))
                                                      .ojmBytes(QByteArray("new.ojm", 8)).build());
        writeFile(game.filePath("src/new.ojm"), "M30" + QByteArray(1, '\0') + "new music");

        QStringList modes; // set last, once every file is made
        for (const QString &step : plant.split(' ', Qt::SkipEmptyParts)) {
            const QString what = step.section(':', 0, 0);
            const QString path = game.filePath(step.section(':', 1).section('=', 0, 0));
            const QString value = step.section('=', 1);
            if (what == "chart")
                writeFile(path, chartOf(value.toInt()));
            else if (what == "file")
                writeFile(path, QByteArray::fromPercentEncoding(value.toUtf8()).replace("@long", QByteArray(5000000, 'a')));
            else if (what == "page")
                writeFile(path, "<!DOCTYPE html><html><head><title>404 Not Found</title></head>" + QByteArray(400, ' ') + "</html>");
            else if (what == "list") {
                QList<QByteArray> charts;
                for (const QString &id : value.split(','))
                    charts << chartOf(id.toInt());
                writeFile(path, songListBytes(qint32(charts.size()), charts));
            }
#ifndef Q_OS_WIN
            else if (what == "fifo")
                QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
#endif
            else if (what == "link")
                QVERIFY(QFile::link(value.startsWith('/') ? value : game.filePath(value), path));
            else if (what == "dir")
                QVERIFY(top.mkpath(path));
            else if (what == "copy")
                QVERIFY(QFile::copy(game.filePath(value), path));
            else if (what == "mode")
                modes << step;
            else
                QFAIL(qPrintable("unknown plant " + step));
        }
#ifndef Q_OS_WIN
        if (asUser)
            giveTreeToOrdinaryUser(game.path());
        for (const QString &step : std::as_const(modes)) {
            const QString path = game.filePath(step.section(':', 1).section('=', 0, 0));
            QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(step.section('=', 1).toUInt(nullptr, 8))) == 0);
        }
#endif
        QTemporaryDir out;
        args.replaceInStrings("@out", out.path()).replaceInStrings("@music", game.filePath("Music")).replaceInStrings("@list", game.filePath("Image/OJNList.dat"))
            .replaceInStrings("@src", game.filePath("src")).replaceInStrings("@game", game.path());
        const QMap<QString, QString> before = snapshot(game.path());

#ifndef Q_OS_WIN
        const CliRun run = asUser || plant.contains("fifo:") ? runProgram(args, asUser) : runCli(args);
#else
        const CliRun run = runCli(args);
#endif
        const QString printed = run.out + run.err;
        QVERIFY2(run.status == status, qPrintable(QStringLiteral("exit %1: %2").arg(run.status).arg(printed.left(2000))));
        // A value is quoted cut, never echoed whole.
        QVERIFY2(printed.size() < 4000, qPrintable(printed.left(2000)));
        for (const QString &part : said.split('|', Qt::SkipEmptyParts))
            QVERIFY2(printed.contains(part), qPrintable(printed));

        const QMap<QString, QString> after = snapshot(game.path());
        for (auto entry = before.cbegin(); entry != before.cend(); ++entry)
            QVERIFY2(after.value(entry.key()) == entry.value(), qPrintable(entry.key() + " changed: " + printed));
        QVERIFY2(after.keys() == before.keys(), qPrintable(QStringList(after.keys()).join(' ')));
    }
};

QTEST_GUILESS_MAIN(CliMistakesTest)
#include "tst_cli_mistakes.moc"
