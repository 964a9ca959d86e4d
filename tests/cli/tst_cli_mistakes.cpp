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
// The real program as an ordinary user: root would pass every permission.
CliRun runAsOrdinaryUser(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    startAsOrdinaryUser(process, QStringLiteral(OJN_HEADER_PROGRAM), arguments);
    CliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
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
        // "chart:P=ID" a chart, "file:P=TEXT" a file, "link:P=TARGET" a
        // symbolic link, "mode:P=OCTAL" permissions, "dir:P" a folder.

        // Outputs
        QTest::newRow("export onto a chart by its name") << "" << QStringList{"export", "@music", "--output", "@music/o2ma100.ojn"} << 2
            << "a CSV never replaces one" << false;
        QTest::newRow("list build onto a chart by its name") << "" << QStringList{"list", "build", "@music", "--output", "@music/o2ma100.ojn"} << 2
            << "a song list never replaces a chart" << false;
        QTest::newRow("extract onto the chart itself") << "" << QStringList{"extract", "@music/o2ma100.ojn", "--cover", "@music/o2ma100.ojn"} << 2
            << "is the chart itself" << false;
        QTest::newRow("set in a read-only folder") << "mode:Music=555" << QStringList{"set", "@music/o2ma100.ojn", "--title", "New"} << 1
            << "Could not save|Permission denied" << true;

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
    }
    void mistakes()
    {
        QFETCH(QString, plant);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, said);
        QFETCH(bool, asUser);
#ifdef Q_OS_WIN
        if (asUser || plant.contains("link:") || plant.contains("mode:"))
            QSKIP("Links and permission bits are POSIX ones.");
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
                writeFile(path, value.toUtf8());
            else if (what == "link")
                QVERIFY(QFile::link(value.startsWith('/') ? value : game.filePath(value), path));
            else if (what == "dir")
                QVERIFY(top.mkpath(path));
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
        args.replaceInStrings("@music", game.filePath("Music")).replaceInStrings("@list", game.filePath("Image/OJNList.dat"))
            .replaceInStrings("@src", game.filePath("src")).replaceInStrings("@game", game.path());
        const QMap<QString, QString> before = snapshot(game.path());

#ifndef Q_OS_WIN
        const CliRun run = asUser ? runAsOrdinaryUser(args) : runCli(args);
#else
        const CliRun run = runCli(args);
#endif
        const QString printed = run.out + run.err;
        QVERIFY2(run.status == status, qPrintable(QStringLiteral("exit %1: %2").arg(run.status).arg(printed)));
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
