#include "CliRunner.h"
#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

class CliSetTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;

private slots:
    void changesOneField_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<int>("codePage");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("links"); // named through a chain of this many links

        const QString c = QStringLiteral("C");
        QTest::newRow("song ID") << QStringList{"--id", "-123456"} << c << 1252 << 0 << littleEndian<qint32>(-123456) << 0;
        QTest::newRow("song ID with a German comma") << QStringList{"--id=2,5"} << "de_DE" << 1252 << 0 << littleEndian<qint32>(2) << 0;
        QTest::newRow("title") << QStringList{"--title", "New Title"} << c << 1252 << 108 << savedSlot("New Title") << 0;
        QTest::newRow("title starting with dashes") << QStringList{"--title=--x"} << c << 1252 << 108 << savedSlot("--x") << 0;
        QTest::newRow("empty artist") << QStringList{"--artist", ""} << c << 1252 << 172 << savedSlot("") << 0;
        QTest::newRow("pattern") << QStringList{"--pattern", " spaced "} << c << 1252 << 204 << savedSlot(" spaced ") << 0;
        QTest::newRow("OJM file") << QStringList{"--ojm", "o2ma9.ojm"} << c << 1252 << 236 << savedSlot("o2ma9.ojm") << 0;
        QTest::newRow("genre by name") << QStringList{"--genre", "Soul / R&B"} << c << 1252 << 12 << littleEndian<qint16>(5) << 0;
        QTest::newRow("genre by number") << QStringList{"--genre", "10"} << c << 1252 << 12 << littleEndian<qint16>(10) << 0;
        QTest::newRow("genre 0") << QStringList{"--genre", "0"} << c << 1252 << 12 << littleEndian<qint16>(0) << 0;
        QTest::newRow("BPM") << QStringList{"--bpm", "174.25"} << c << 1252 << 16 << littleEndian<float>(174.25f) << 0;
        QTest::newRow("level Ex") << QStringList{"--level-ex", "-3"} << c << 1252 << 20 << littleEndian<qint16>(-3) << 0;
        QTest::newRow("level Nx") << QStringList{"--level-nx", "32767"} << c << 1252 << 22 << littleEndian<qint16>(32767) << 0;
        QTest::newRow("level Hx") << QStringList{"--level-hx", "-32768"} << c << 1252 << 24 << littleEndian<qint16>(-32768) << 0;
#ifndef Q_OS_WIN // there QFile::link makes a shortcut, an ordinary file
        QTest::newRow("title, through a link") << QStringList{"--title", "Linked"} << c << 1252 << 108 << savedSlot("Linked") << 1;
        QTest::newRow("title, through two links") << QStringList{"--title", "Linked"} << c << 1252 << 108 << savedSlot("Linked") << 2;
#endif
    }
    void changesOneField()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, localeName);
        QFETCH(int, codePage);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(int, links);
        QTemporaryDir folder;
        const QByteArray original = ChartBuilder().titleBytes(QByteArray("Old\0leftover", 12)).build();
        const QString path = folder.filePath("one-field.ojn");
        writeFile(path, original);
        QStringList files{"one-field.ojn"};
        for (int i = 1; i <= links; ++i) {
            QVERIFY(QFile::link(files.last(), folder.filePath(QString("link%1.ojn").arg(i))));
            files << QString("link%1.ojn").arg(i);
        }

        const CliRun run = runCli(QStringList{"set", folder.filePath(files.last())} + args, QLocale(localeName), codePage);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QByteArray expected = expectedUneditedSave(original);
        expected.replace(offset, bytes.size(), bytes);
        QCOMPARE(readFile(path), expected);
        for (int i = 1; i < files.size(); ++i) // each link still to the one before
            QCOMPARE(QFileInfo(folder.filePath(files[i])).symLinkTarget(), folder.filePath(files[i - 1]));
        files.sort();
        QCOMPARE(entriesOf(folder.path()), files);
    }

    void unaskedFieldsKeepTheirBytes_data()
    {
        QTest::addColumn<QByteArray>("chart");
        QTest::addColumn<int>("codePage");
        // Tempos whose seven-digit text form would not give the same bits.
        QTest::newRow("BPM of eight digits") << ChartBuilder().bpm(16777215.0f).build() << 1252;
        QTest::newRow("negative zero BPM") << ChartBuilder().bpm(-0.0f).build() << 1252;
        QTest::newRow("BPM of many bits") << ChartBuilder().putBytes(16, QByteArray("\x01\x02\x03\x42", 4)).build() << 1252;
        QTest::newRow("texts that do not decode")
            << ChartBuilder().titleBytes(QByteArray("\x81\x20\xff\0", 4)).artistBytes(QByteArray("\xc9\0", 2)).build() << 949;
    }
    void unaskedFieldsKeepTheirBytes()
    {
        QFETCH(QByteArray, chart);
        QFETCH(int, codePage);
        const QString path = dir.filePath("kept.ojn");
        writeFile(path, chart);
        const CliRun run = runCli({"set", path, "--level-nx", "12"}, QLocale::c(), codePage);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QByteArray expected = expectedUneditedSave(chart);
        expected.replace(22, 2, littleEndian<qint16>(12));
        QCOMPARE(readFile(path), expected);
    }

    void refusedValuesTouchNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<QString>("message");

        const QString c = QStringLiteral("C");
        QTest::newRow("title of 33 bytes") << QStringList{"--title", QString(33, 'x')} << c << "Title: \"" + QString(33, 'x') + "\" takes 33 bytes";
        QTest::newRow("Korean in code page 1252") << QStringList{"--artist", QStringLiteral("가수")} << c << "code page 1252 cannot store";
        QTest::newRow("song ID of letters") << QStringList{"--id", "abc"} << c << "Song ID: \"abc\" is not a number.";
        QTest::newRow("level Ex too large") << QStringList{"--level-ex", "32768"} << c << "Level Ex: 32768 is out of range";
        QTest::newRow("point in German") << QStringList{"--bpm", "12.5"} << "de_DE" << "BPM: \"12.5\" is not a number.";
        QTest::newRow("unknown genre") << QStringList{"--genre", "Pop"} << c << "Genre: \"Pop\" is not in the genre list";
        QTest::newRow("genre in lower case") << QStringList{"--genre", "rock"} << c << "Genre: \"rock\"";
        QTest::newRow("genre 11") << QStringList{"--genre", "11"} << c << "Genre: \"11\"";
        QTest::newRow("genre -1") << QStringList{"--genre", "-1"} << c << "Genre: \"-1\"";
#ifdef Q_OS_WIN
        const QString noSuchFile = "File not found."; // Qt's words there
#else
        const QString noSuchFile = "No such file or directory.";
#endif
        QTest::newRow("cover missing") << QStringList{"--cover", "nowhere.jpg"} << c << "Could not load the picture nowhere.jpg: " + noSuchFile;
        QTest::newRow("cover empty") << QStringList{"--cover", "@empty"} << c << "empty.jpg: the file is empty.";
        QTest::newRow("thumbnail of text") << QStringList{"--thumbnail", "@text"} << c << "text.bmp: it cannot be read as a picture";
        QTest::newRow("cover is a folder") << QStringList{"--cover", "@folder"} << c << "sub: file to open is a directory";
        QTest::newRow("good values, then a bad one") << QStringList{"--title", "fine", "--level-hx", "x"} << c << "Level Hx:";
    }
    void refusedValuesTouchNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, localeName);
        QFETCH(QString, message);
        QTemporaryDir folder;
        writeFile(folder.filePath("empty.jpg"), QByteArray());
        writeFile(folder.filePath("text.bmp"), "just a text\r\n");
        QDir(folder.path()).mkdir("sub");
        args.replaceInStrings("@empty", folder.filePath("empty.jpg"));
        args.replaceInStrings("@text", folder.filePath("text.bmp"));
        args.replaceInStrings("@folder", folder.filePath("sub"));
        const QByteArray chart = ChartBuilder().build();
        const QString first = folder.filePath("a.ojn");
        const QString second = folder.filePath("b.ojn");
        writeFile(first, chart);
        writeFile(second, chart);
        const QStringList before = entriesOf(folder.path());

        const CliRun run = runCli(QStringList{"set", first, second} + args, QLocale(localeName));
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.err.count('\n'), 1);
        QCOMPARE(readFile(first), chart);
        QCOMPARE(readFile(second), chart);
        QCOMPARE(entriesOf(folder.path()), before);
    }

    void batchGoesOnPastBadCharts()
    {
        const QByteArray good = ChartBuilder().build();
        const QByteArray encrypted = "new" + good.mid(3);
        const QByteArray damaged = ChartBuilder().rawCoverOffset(100).build();
        const QString paths[] = {dir.filePath("b1.ojn"), dir.filePath("b2.ojn"), dir.filePath("b3.ojn"), dir.filePath("b4.ojn")};
        writeFile(paths[0], good);
        writeFile(paths[1], encrypted);
        writeFile(paths[2], damaged);
        writeFile(paths[3], good);

        const CliRun run = runCli({"set", paths[0], paths[1], paths[2], paths[3], dir.filePath("b5.ojn"), "--level-hx", "12"});
        QCOMPARE(run.status, 1);
        QByteArray expected = expectedUneditedSave(good);
        expected.replace(24, 2, littleEndian<qint16>(12));
        QCOMPARE(readFile(paths[0]), expected);
        QCOMPARE(readFile(paths[1]), encrypted);
        QCOMPARE(readFile(paths[2]), damaged);
        QCOMPARE(readFile(paths[3]), expected);
        QVERIFY(!QFile::exists(dir.filePath("b5.ojn")));
        const QStringList errors = run.err.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(errors.size(), 3);
        QVERIFY(errors[0].contains(QDir::toNativeSeparators(paths[1])) && errors[0].contains("Encrypted OJN"));
        QVERIFY(errors[1].contains(QDir::toNativeSeparators(paths[2])) && errors[1].contains("inside the 300-byte header"));
        QVERIFY(errors[2].contains("File not found") && errors[2].contains("b5.ojn"));
    }

    void outputIsANewSaveOfTheChart()
    {
        const QByteArray chart = ChartBuilder().trailing("after the thumbnail").build();
        const QString source = dir.filePath("keep.ojn");
        writeFile(source, chart);
        const QString target = dir.filePath("copy.ojn");
        writeFile(target, QByteArray(100000, 'X')); // larger than the chart: nothing of it may remain

        const CliRun run = runCli({"set", source, "--output", target});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(readFile(target), expectedUneditedSave(chart));
        QCOMPARE(readFile(source), chart);
    }

    void newPicturesFollowTheNotes()
    {
        const ChartBuilder builder;
        const QByteArray chart = builder.build();
        const QString path = dir.filePath("pictures.ojn");
        writeFile(path, chart);
        const QByteArray cover = jpegBytes(QSize(80, 60), Qt::blue);
        const QByteArray thumbnail = bmpBytes(QSize(3, 3), Qt::white);
        writeFile(dir.filePath("new.jpg"), cover);
        writeFile(dir.filePath("new.bmp"), thumbnail);

        const CliRun run = runCli({"set", path, "--thumbnail", dir.filePath("new.bmp"), "--cover", dir.filePath("new.jpg")});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QByteArray out = readFile(path);
        const qint32 offset = int32At(chart, 296);
        QCOMPARE(int32At(out, 296), offset);
        QCOMPARE(int32At(out, 268), qint32(cover.size()));
        QCOMPARE(int32At(out, 100), qint32(thumbnail.size()));
        QCOMPARE(out.mid(offset, cover.size()), cover);
        QCOMPARE(out.mid(offset + cover.size()), thumbnail);
        QByteArray header = expectedUneditedSave(chart).left(300);
        header.replace(268, 4, littleEndian<qint32>(cover.size()));
        header.replace(100, 4, littleEndian<qint32>(thumbnail.size()));
        QCOMPARE(out.left(300), header);
    }

    void failedWriteLeavesNoFile()
    {
        const QByteArray chart = ChartBuilder().build();
        const QString source = dir.filePath("fine.ojn");
        writeFile(source, chart);
        const QString target = dir.filePath("no-such-folder/out.ojn");
        const CliRun run = runCli({"set", source, "--title", "x", "--output", target});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QDir::toNativeSeparators(target)) && run.err.contains("does not exist"), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(readFile(source), chart);
    }
};

QTEST_MAIN(CliSetTest)
#include "tst_cli_set.moc"
