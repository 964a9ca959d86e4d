#include "CliRunner.h"
#include "support/ChartBuilder.h"
#include "support/TestPictures.h"
#include "model/HeaderFields.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace ojn::test;

class CliExtractAndUsageTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;

private slots:
    void extractWritesTheStoredBytes_data()
    {
        QTest::addColumn<QByteArray>("chart");
        QTest::newRow("plain") << ChartBuilder().build();
        QTest::newRow("bytes after the thumbnail") << ChartBuilder().trailing("not part of the thumbnail").build();
        QTest::newRow("no thumbnail") << ChartBuilder().thumbnail(QByteArray()).build();
        QTest::newRow("cover that is no picture") << ChartBuilder().cover(QByteArray(500, '\x07')).build();
        QTest::newRow("big cover") << ChartBuilder().cover(jpegBytes(QSize(800, 600), Qt::darkCyan)).build();
    }
    void extractWritesTheStoredBytes()
    {
        QFETCH(QByteArray, chart);
        const QString path = dir.filePath("chart.ojn");
        writeFile(path, chart);
        const QString cover = dir.filePath("cover.jpg");
        const QString thumbnail = dir.filePath("thumbnail"); // no extension added
        writeFile(cover, QByteArray(2000000, 'X')); // a larger file is replaced whole

        const CliRun run = runCli({"extract", path, "--cover", cover, "--thumbnail", thumbnail});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(run.out, QString());
        // Cut by the header's own offset and sizes.
        const qint32 offset = int32At(chart, 296), coverSize = int32At(chart, 268), thumbnailSize = int32At(chart, 100);
        QCOMPARE(readFile(cover), chart.mid(offset, coverSize));
        QVERIFY(QFileInfo::exists(thumbnail));
        QCOMPARE(readFile(thumbnail), chart.mid(offset + coverSize, thumbnailSize));
        QCOMPARE(readFile(path), chart);
        QCOMPARE(entriesOf(dir.path()), (QStringList{"chart.ojn", "cover.jpg", "thumbnail"}));
        QFile::remove(cover);
        QFile::remove(thumbnail);
    }

    void extractOnlyWhatIsAskedFor()
    {
        QTemporaryDir folder;
        const QString path = ChartBuilder().writeTo(folder.filePath("c.ojn"));
        const CliRun run = runCli({"extract", "--thumbnail", folder.filePath("t.bmp"), path});
        QCOMPARE(run.status, 0);
        QCOMPARE(entriesOf(folder.path()), (QStringList{"c.ojn", "t.bmp"}));
    }

    void extractFailures()
    {
        QTemporaryDir folder;
        const QString encrypted = folder.filePath("enc.ojn");
        writeFile(encrypted, "new" + ChartBuilder().build().mid(3));
        CliRun run = runCli({"extract", encrypted, "--cover", folder.filePath("x.jpg")});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("This Encrypted OJN, This Editor Doesn't Support Encrypted OJN."));
        QVERIFY(!QFileInfo::exists(folder.filePath("x.jpg")));

        // One picture that cannot be written does not stop the other.
        const QString chart = ChartBuilder().writeTo(folder.filePath("ok.ojn"));
        const QString badCover = folder.filePath("gone/x.jpg");
        run = runCli({"extract", chart, "--cover", badCover, "--thumbnail", folder.filePath("t.bmp")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QDir::toNativeSeparators(badCover)), qPrintable(run.err));
        QCOMPARE(readFile(folder.filePath("t.bmp")), ChartBuilder().thumbnailBytes());
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("hinted"); // wrong in form: the usage hint follows
        QTest::newRow("nothing") << QStringList{} << "no command given" << true;
        QTest::newRow("unknown command") << QStringList{"lists", "a.ojn"} << "unknown command \"lists\"" << true;
        QTest::newRow("list without its command") << QStringList{"list", "a.dat"} << "list: give show, build or sync after it, not \"a.dat\"" << true;
        QTest::newRow("check without paths") << QStringList{"check", "--json"} << "check: no chart or folder given" << true;
        QTest::newRow("list show of two lists") << QStringList{"list", "show", "a.dat", "b.dat"} << "list show: give one song list" << true;
        QTest::newRow("build without output") << QStringList{"list", "build", "@dir"} << "list build: give --output LIST" << true;
        QTest::newRow("sync without the folder") << QStringList{"list", "sync", "a.dat", "--dry-run"} << "give the song list, then the music folder" << true;
        QTest::newRow("sync of a chart") << QStringList{"list", "sync", "@chart", "@dir"} << "a song list never replaces a chart" << false;
        QTest::newRow("option before the command") << QStringList{"--json", "show", "a.ojn"} << "the command comes first" << true;
        QTest::newRow("show without files") << QStringList{"show", "--json"} << "show: no chart file given" << true;
        QTest::newRow("show with a set option") << QStringList{"show", "a.ojn", "--title", "x"} << "Unknown option 'title'" << true;
        QTest::newRow("set with the json option") << QStringList{"set", "a.ojn", "--json"} << "Unknown option 'json'" << true;
        QTest::newRow("value missing") << QStringList{"set", "a.ojn", "--title"} << "Missing value after '--title'" << true;
        QTest::newRow("value on a switch") << QStringList{"show", "--json=yes", "a.ojn"} << "Unexpected value after '--json'" << true;
        QTest::newRow("option twice") << QStringList{"set", "a.ojn", "--id", "1", "--id", "2"} << "--id is given more than once" << true;
        QTest::newRow("set without changes") << QStringList{"set", "a.ojn"} << "nothing to change" << true;
        QTest::newRow("output for two charts") << QStringList{"set", "a.ojn", "b.ojn", "--id", "1", "--output", "c.ojn"}
                                               << "--output takes one chart file" << true;
        QTest::newRow("extract without outputs") << QStringList{"extract", "a.ojn"} << "give --cover OUT, --thumbnail OUT or both" << true;
        QTest::newRow("extract from two charts") << QStringList{"extract", "a.ojn", "b.ojn", "--cover", "c.jpg"}
                                                 << "extract: takes one chart file" << true;
        QTest::newRow("extract onto the chart") << QStringList{"extract", "@chart", "--cover", "@chart"} << "is the chart itself" << false;
        QTest::newRow("extract onto the chart by another name")
            << QStringList{"extract", "@chart", "--thumbnail", "@dir/./chart.ojn"} << "is the chart itself" << false;
        QTest::newRow("both pictures to one file") << QStringList{"extract", "@chart", "--cover", "@dir/p", "--thumbnail", "@dir/p"}
                                                   << "cannot both go to" << false;
        QTest::newRow("unsupported code page") << QStringList{"show", "a.ojn", "--code-page", "12345"}
                                               << "unknown or unsupported code page \"12345\"" << true;
        QTest::newRow("code page that is no number") << QStringList{"--code-page=korean", "show", "a.ojn"}
                                                     << "code page \"korean\"" << true;
        QTest::newRow("code page twice") << QStringList{"--code-page", "949", "set", "a.ojn", "--code-page=932", "--id", "1"}
                                         << "--code-page is given more than once" << true;
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QFETCH(bool, hinted);
        const QByteArray chart = ChartBuilder().build();
        const QString path = dir.filePath("chart.ojn");
        writeFile(path, chart);
        args.replaceInStrings("@chart", path);
        args.replaceInStrings("@dir", dir.path());

        const CliRun run = runCli(args);
        QCOMPARE(run.status, 2);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.startsWith("ojn-header: ") && run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.err.contains("Try 'ojn-header --help'"), hinted);
        QCOMPARE(readFile(path), chart);
        QCOMPARE(entriesOf(dir.path()), QStringList{"chart.ojn"});
    }

    void helpIsTheWholeManual_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("--help") << QStringList{"--help"};
        QTest::newRow("-h") << QStringList{"-h"};
        QTest::newRow("help") << QStringList{"help"};
        QTest::newRow("set --help") << QStringList{"set", "a.ojn", "--help"};
        QTest::newRow("extract -h") << QStringList{"extract", "-h"};
        QTest::newRow("list sync --help") << QStringList{"list", "sync", "--help"};
    }
    void helpIsTheWholeManual()
    {
        QFETCH(QStringList, args);
        const CliRun run = runCli(args);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        const QStringList mentioned{"show", "set", "extract", "--json", "--id", "--title", "--artist", "--pattern", "--ojm",
                                    "--genre", "--bpm", "--level-ex", "--level-nx", "--level-hx", "--cover", "--thumbnail",
                                    "--output", "--version", "--code-page", "Exit status", "Soul / R&B", "code page", "decimal separator",
                                    "check", "--list", "list show", "list build", "--sections-from", "list sync", "--dry-run",
                                    "--drop-missing", "Music", "Image/OJNList.dat"};
        for (const QString &word : mentioned)
            QVERIFY2(run.out.contains(word), qPrintable(word));
        // A new field option of set is documented too, as a whole word.
        for (const ojn::HeaderFieldInfo &info : ojn::headerFields()) {
            const QRegularExpression option(QStringLiteral("(?<![\\w-])--%1(?![\\w-])").arg(QLatin1String(info.option)));
            QVERIFY2(!*info.option || run.out.contains(option), info.option);
        }
    }

    void version()
    {
        const CliRun run = runCli({"--version"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("ojn-header " OJN_PROJECT_VERSION "\n"));
    }
};

QTEST_MAIN(CliExtractAndUsageTest)
#include "tst_cli_extract_and_usage.moc"
