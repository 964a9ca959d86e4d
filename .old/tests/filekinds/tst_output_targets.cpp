#include "filekinds/OutputTarget.h"
#include "headercsv/HeaderCsv.h"
#include "model/ChartFile.h"
#include "model/ChartReader.h"
#include "pictures/PictureFile.h"
#include "songlist/SongList.h"
#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

class OutputTargetsTest : public QObject {
    Q_OBJECT
private slots:
    // Each writer, on a file named so that no name rule applies: only its
    // bytes say what it is.
    void writersReplaceOnlyWhatTheyMay_data()
    {
        const QByteArray chart = ChartBuilder().noteSections(1, 1, 1).build();
        const QByteArray ojm("OMC\0\0\0\0\0", 8), list = songListBytes(1, {chart}), csv("file,title\r\nx.ojn,y\r\n");
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<QString>("refusal"); // empty: replaced
        QTest::newRow("chart over an OJM") << "chart" << ojm << "it is an OJM music file, and a chart never replaces one.";
        QTest::newRow("chart over a song list") << "chart" << list << "it is a song list, and a chart never replaces one.";
        QTest::newRow("chart over an encrypted chart") << "chart" << encryptChart(chart, 4, 1, 2, 3) << "";
        QTest::newRow("chart over bytes of no kind") << "chart" << QByteArray(400, '\0') << "";
        QTest::newRow("song list over a chart") << "song list" << chart << "it is a chart, and a song list never replaces one.";
        QTest::newRow("song list over a song list") << "song list" << list << "";
        QTest::newRow("CSV over an OJM") << "CSV" << ojm << "it is an OJM music file, and a CSV never replaces one.";
        QTest::newRow("CSV over a song list") << "CSV" << list << "it is a song list, and a CSV never replaces one.";
        QTest::newRow("CSV over a CSV") << "CSV" << csv << "";
        QTest::newRow("picture over an encrypted chart") << "picture" << QByteArray("new\x10\x01\x02\x03...", 10)
                                                         << "it is an encrypted chart, and a picture never replaces one.";
        QTest::newRow("picture over a JPEG") << "picture" << QByteArray("\xFF\xD8\xFF old picture") << "";
    }
    void writersReplaceOnlyWhatTheyMay()
    {
        QFETCH(QString, writer);
        QFETCH(QByteArray, existing);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        const QString path = dir.filePath("target.dat");
        writeFile(path, existing);
        const QByteArray chart = ChartBuilder().noteSections(2, 2, 2).build();
        Result<> written = Result<>::success();
        if (writer == "chart")
            written = saveChartFile(recordOf(chart), path);
        else if (writer == "song list")
            written = writeSongListFile(SongList{{chart.left(300)}, {}}, path);
        else if (writer == "CSV")
            written = writeHeaderCsvFile(HeaderCsvExport{"file\r\n", 0, {}}, path);
        else
            written = writePictureFile(path, tinyJpeg());
        if (refusal.isEmpty()) {
            QVERIFY2(written.ok(), qPrintable(written.error()));
            QVERIFY(readFile(path) != existing);
        } else {
            QCOMPARE(written.error(), "Could not save " + QDir::toNativeSeparators(path) + ": " + refusal);
            QCOMPARE(readFile(path), existing);
        }
        QCOMPARE(entriesOf(dir.path()), QStringList{"target.dat"});
    }
};

QTEST_GUILESS_MAIN(OutputTargetsTest)
#include "tst_output_targets.moc"
