#include "CliRunner.h"
#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include "support/OrdinaryUser.h"
#endif

using namespace ojn::test;

namespace {

struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs the installed-to-be program (the editor when the arguments start
// with "@editor") with a clean environment: no display, and only the locale
// variables given.
ProgramRun runProgram(QStringList args, const QStringList &localeVariables = {"LC_ALL=C.UTF-8"},
                      const QStringList &wrapper = {})
{
    const bool editor = !args.isEmpty() && args.first() == "@editor";
    const QString program = editor ? QStringLiteral(EDITOR_PROGRAM) : QStringLiteral(OJN_HEADER_PROGRAM);
    if (editor)
        args.removeFirst();
    QProcessEnvironment environment;
    environment.insert("PATH", qEnvironmentVariable("PATH"));
    for (const QString &variable : localeVariables)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    QProcess process;
    process.setProcessEnvironment(environment);
    if (wrapper.isEmpty())
        process.start(program, args);
    else
        process.start(wrapper.first(), wrapper.mid(1) + QStringList{program} + args);
    ProgramRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
#ifdef Q_OS_WIN
    // Standard output and error are text streams there, with CR LF.
    run.out.replace("\r\n", "\n");
    run.err.replace("\r\n", "\n");
#endif
    return run;
}

// A program on Windows takes the system's locale, not its environment's,
// and a child the test's own (under Wine: the test's LC_ALL). So there a
// row runs in the test's run under its locale (LOCALE_RUNS) and skips in
// the others.
bool runsUnder(const QStringList &localeVariables)
{
#ifdef Q_OS_WIN
    return localeVariables.contains("LC_ALL=" + qEnvironmentVariable("LC_ALL"));
#else
    Q_UNUSED(localeVariables);
    return true;
#endif
}

} // namespace

class CliProgramTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;

private slots:
    void exitStatusesAndStreams_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Exit status:" << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "ojn-header " << "";
        QTest::newRow("no arguments") << QStringList{} << 2 << "" << "ojn-header: no command given.";
        QTest::newRow("unknown option") << QStringList{"show", "--colour", "@good"} << 2 << "" << "Unknown option 'colour'";
        QTest::newRow("bad value") << QStringList{"set", "@good", "--level-ex", "1e9"} << 2 << "" << "Level Ex: 1e9 is out of range";
        QTest::newRow("batch with an encrypted chart") << QStringList{"show", "@good", "@encrypted", "@good"} << 1 << "Song ID:   1234"
                                                       << "@encrypted: This Encrypted OJN, This Editor Doesn't Support Encrypted OJN.";
        QTest::newRow("all good") << QStringList{"show", "--json", "@good", "@good"} << 0 << "\"songId\":1234" << "";
        // The editor answers these without a window, which it could not open here.
        QTest::newRow("editor --help") << QStringList{"@editor", "-h"} << 0 << "Usage: ojn-tevrik-editor [CHART | MUSIC_FOLDER]\n" << "";
        QTest::newRow("editor --version") << QStringList{"@editor", "--version"} << 0 << "ojn-tevrik-editor 1." << "";
        QTest::newRow("editor, unknown option") << QStringList{"@editor", "@good", "-platform"} << 2 << ""
                                                << "ojn-tevrik-editor: unknown option '-platform'.\nUsage:";
        QTest::newRow("editor, two charts") << QStringList{"@editor", "--", "@good", "-b.ojn"} << 2 << "" << "give one chart";
        QTest::newRow("editor, empty path") << QStringList{"@editor", ""} << 2 << "" << "the chart's path is empty";
        // Not in the ANSI code page: through a pipe in UTF-8, as ojn-header writes.
        QTest::newRow("editor, Korean option") << QStringList{"@editor", "--노래"} << 2 << "" << "unknown option '--노래'.";
    }
    void exitStatusesAndStreams()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const QString good = ChartBuilder().writeTo(dir.filePath("good.ojn"));
        const QString encrypted = dir.filePath("encrypted.ojn");
        writeFile(encrypted, "new" + ChartBuilder().build());
        args.replaceInStrings("@good", good);
        args.replaceInStrings("@encrypted", encrypted);
        err.replace("@encrypted", QDir::toNativeSeparators(encrypted));

        const ProgramRun run = runProgram(args);
        QCOMPARE(run.status, status);
        QVERIFY2(run.out.contains(out), qPrintable(run.out));
        if (err.isEmpty())
            QCOMPARE(run.err, QString());
        else
            QVERIFY2(run.err.contains(err), qPrintable(run.err));
        if (status == 1)
            QCOMPARE(run.out.count("File:"), 2);
    }

    // No display, no QT_QPA_PLATFORM: a JPEG is still told from a non-picture.
    void picturesDecodeWithoutADisplay()
    {
        const QString chart = ChartBuilder().writeTo(dir.filePath("pictures.ojn"));
        writeFile(dir.filePath("cover.jpg"), jpegBytes(QSize(30, 20), Qt::magenta));
        writeFile(dir.filePath("fake.jpg"), "GIF89a but not really");
        ProgramRun run = runProgram({"set", chart, "--cover", dir.filePath("fake.jpg")});
        QCOMPARE(run.status, 2);
        run = runProgram({"set", chart, "--cover", dir.filePath("cover.jpg")});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        run = runProgram({"show", chart});
        QVERIFY2(run.out.contains("JPEG 30 x 20"), qPrintable(run.out));
    }

    void localeComesFromTheEnvironment_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QString>("bpm");
        QTest::addColumn<QString>("bpmText");
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("titleBytes");
        // Wine takes the Windows locale from LC_ALL only, real Windows from
        // none of these; LANG is Linux's way.
#ifdef Q_OS_WIN
        const QString koreanVariable = "LC_ALL";
#else
        const QString koreanVariable = "LANG";
#endif
        QTest::newRow("C") << QStringList{"LC_ALL=C"} << "130.5" << "130.5" << 1252 << "Caf\u00e9" << QByteArray("Caf\xe9");
        QTest::newRow("German") << QStringList{"LC_ALL=de_DE.UTF-8"} << "130,5" << "130,5" << 1252 << "Caf\u00e9"
                                << QByteArray("Caf\xe9");
        QTest::newRow("Korean") << QStringList{koreanVariable + "=ko_KR.UTF-8"} << "130.5" << "130.5" << 949
                                << QString::fromUtf8("한글") << QByteArray("\xc7\xd1\xb1\xdb");
        QTest::newRow("Japanese") << QStringList{"LC_ALL=ja_JP.UTF-8"} << "130.5" << "130.5" << 932
                                  << QString::fromUtf8("日本") << QByteArray("\x93\xfa\x96\x7b");
        QTest::newRow("Simplified Chinese") << QStringList{"LC_ALL=zh_CN.UTF-8"} << "130.5" << "130.5" << 936
                                            << QString::fromUtf8("你好") << QByteArray("\xc4\xe3\xba\xc3");
        QTest::newRow("Traditional Chinese") << QStringList{"LC_ALL=zh_TW.UTF-8"} << "130.5" << "130.5" << 950
                                             << QString::fromUtf8("中文") << QByteArray("\xa4\xa4\xa4\xe5");
        QTest::newRow("Russian") << QStringList{"LC_ALL=ru_RU.UTF-8"} << "130,5" << "130,5" << 1251
                                 << QString::fromUtf8("При") << QByteArray("\xcf\xf0\xe8");
    }
    void localeComesFromTheEnvironment()
    {
        QFETCH(QStringList, variables);
        QFETCH(QString, bpm);
        QFETCH(QString, bpmText);
        QFETCH(int, codePage);
        QFETCH(QString, title);
        QFETCH(QByteArray, titleBytes);
        if (!runsUnder(variables))
            QSKIP("runs in the run under its locale");
        const QString chart = ChartBuilder().writeTo(dir.filePath("locale.ojn"));
        ProgramRun run = runProgram({"set", chart, "--bpm", bpm, "--title", title}, variables);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(floatAt(readFile(chart), 16), 130.5f);
        QCOMPARE(readFile(chart).mid(108, titleBytes.size() + 1), titleBytes + '\0');
        run = runProgram({"show", "--json", chart}, variables);
        const QJsonObject header = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(header["bpmText"].toString(), bpmText);
        QCOMPARE(header["codePage"].toInt(), codePage);
        QCOMPARE(header["title"].toString(), title);
    }

    void koreanTextsRoundTripThroughTheTerminal_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QStringList>("codePage"); // arguments, put before the command
        QTest::newRow("Korean locale") << QStringList{"LC_ALL=ko_KR.UTF-8"} << QStringList{};
        QTest::newRow("English locale, --code-page 949") << QStringList{"LC_ALL=en_US.UTF-8"} << QStringList{"--code-page", "949"};
        QTest::newRow("German locale, --code-page=949") << QStringList{"LANG=de_DE.UTF-8"} << QStringList{"--code-page=949"};
    }
    void koreanTextsRoundTripThroughTheTerminal()
    {
        QFETCH(QStringList, variables);
        QFETCH(QStringList, codePage);
        const QString chart = ChartBuilder().writeTo(dir.filePath("korean.ojn"));
        // A chosen code page holds whatever the system's is.
        if (codePage.isEmpty() && !runsUnder(variables))
            QSKIP("runs in the run under its locale");
        ProgramRun run = runProgram(codePage + QStringList{"set", chart, "--title", QStringLiteral("노래 제목")}, variables);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(readFile(chart).mid(108, 10), QByteArray("\xb3\xeb\xb7\xa1 \xc1\xa6\xb8\xf1\0", 10));
        run = runProgram(codePage + QStringList{"show", chart}, variables);
        QVERIFY2(run.out.contains(QStringLiteral("Title:     노래 제목\n")), qPrintable(run.out));
        run = runProgram(QStringList{"show", chart, "--json"} + codePage, variables);
        const QJsonObject header = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(header["codePage"].toInt(), 949);
        QCOMPARE(header["title"].toString(), QStringLiteral("노래 제목"));
    }

    void lostOutputIsAFailure()
    {
        if (!QFileInfo::exists("/dev/full"))
            QSKIP("no /dev/full here");
        const QString chart = ChartBuilder().writeTo(dir.filePath("listed.ojn"));
        QProcess process;
        process.setStandardOutputFile("/dev/full");
        process.start(QStringLiteral(OJN_HEADER_PROGRAM), {"show", chart});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(process.readAllStandardError().contains("could not write to standard output"));
    }

#ifndef Q_OS_WIN // a user without rights; Windows' held-open file is tested with the chart files
    // As an ordinary user, since root writes and reads anywhere. The
    // folder is one it cannot write, with a chart it cannot read and a
    // subfolder it cannot list.
    void asAnOrdinaryUser_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("set cannot save") << QStringList{"set", "@dir/locked.ojn", "--title", "Changed"} << QStringList{}
                                         << "Could not save @dir/locked.ojn";
        QTest::newRow("sync cannot save the list") << QStringList{"list", "sync", "@dir/OJNList.dat", "@dir"} << QStringList{}
                                                   << "Could not save @dir/OJNList.dat";
        QTest::newRow("check goes on past what it cannot read")
            << QStringList{"check", "@dir/closed", "@dir"}
            << QStringList{"closed: problem: The folder", "cannot be read: permission denied.",
                           "secret.ojn: problem: The file could not be opened", "Checked 2 charts"} << "";
    }
    void asAnOrdinaryUser()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, out);
        QFETCH(QString, err);
        QTemporaryDir folder;
        const QByteArray bytes = ChartBuilder().noteSections(1, 1, 1).build();
        const QString chart = folder.filePath("locked.ojn"), list = folder.filePath("OJNList.dat");
        const QString secret = folder.filePath("secret.ojn"), closed = folder.filePath("closed");
        writeFile(chart, bytes);
        writeFile(list, QByteArray(4, '\0') + "extra sections"); // lists nothing
        writeFile(secret, bytes);
        QVERIFY(QDir(folder.path()).mkdir("closed"));
        const auto readable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther | QFileDevice::ReadGroup;
        for (const QString &file : {chart, list})
            QFile::setPermissions(file, readable);
        QFile::setPermissions(secret, {});
        QFile::setPermissions(closed, {});
        const auto enterOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther
            | QFileDevice::ReadGroup | QFileDevice::ExeGroup;
        QFile::setPermissions(folder.path(), enterOnly);
        const QByteArray listBytes = readFile(list);

        const ProgramRun probe = runProgram({"show", chart}, {"LC_ALL=C"}, ordinaryUserPrefix());
        args.replaceInStrings("@dir", folder.path());
        err.replace("@dir", folder.path());
        const ProgramRun run = runProgram(args, {"LC_ALL=C"}, ordinaryUserPrefix());
        QFile::setPermissions(folder.path(), enterOnly | QFileDevice::WriteOwner);
        QFile::setPermissions(closed, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (probe.status != 0)
            QSKIP(qPrintable("the program cannot run as an ordinary user here: " + probe.err));
        QCOMPARE(run.status, 1);
        for (const QString &text : out)
            QVERIFY2(run.out.contains(text), qPrintable(run.out));
        QVERIFY2(run.err.contains(err), qPrintable(run.err));
        QCOMPARE(readFile(chart), bytes);
        QCOMPARE(readFile(list), listBytes);
        QCOMPARE(entriesOf(folder.path()), (QStringList{"OJNList.dat", "closed", "locked.ojn", "secret.ojn"}));
    }
#endif
};

QTEST_MAIN(CliProgramTest)
#include "tst_cli_program.moc"
