#include "model/ChartReader.h"

#include "model/ChartFileCheck.h"
#include "model/ChartPictures.h"
#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

class ChartReaderTest : public QObject {
    Q_OBJECT
private slots:
    void readsEveryFieldAndRegion()
    {
        ChartBuilder chart;
        chart.songId(-1).genre(5).bpm(128.5f).levels(0, -3, 32767).noteCounts(1, 2, 3)
            .noteData(QByteArray(1000, 'n')).trailing("junk after the thumbnail");
        const QByteArray bytes = chart.build();
        const Result<ChartRecord> result = readChartBytes(bytes);
        QVERIFY2(result.ok(), qPrintable(result.error()));
        const ChartRecord &r = result.value();
        QCOMPARE(r.SongID, -1);
        QCOMPARE(r.Genre, qint16(5));
        QCOMPARE(r.BPM, 128.5f);
        QCOMPARE(r.LevelEx, qint16(0));
        QCOMPARE(r.LevelNx, qint16(-3));
        QCOMPARE(r.LevelHx, qint16(32767));
        QCOMPARE(r.NoteCountEx, 1);
        QCOMPARE(r.NoteCountNx, 2);
        QCOMPARE(r.NoteCountHx, 3);
        QCOMPARE(r.Title, QByteArray("Test Title"));
        QCOMPARE(r.Artist, QByteArray("Test Artist"));
        QCOMPARE(r.Pattern, QByteArray("Tester"));
        QCOMPARE(r.OJMFile, QByteArray("o2ma1234.ojm"));
        QCOMPARE(r.ChartBodyData, bytes.left(1300));
        QCOMPARE(r.FullImageData, chart.coverBytes());
        QCOMPARE(r.SmallFrameData, chart.thumbnailBytes());
    }

    void textSlots_data()
    {
        QTest::addColumn<QByteArray>("slotBytes");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("32 non-zero bytes") << QByteArray(32, 'A') << QByteArray(32, 'A');
        QTest::newRow("letters, zero, leftovers") << QByteArray("abc\0\0leftover", 13) << QByteArray("abc");
        QTest::newRow("blanks kept") << QByteArray("  padded  \0", 11) << QByteArray("  padded  ");
        QTest::newRow("empty") << QByteArray(32, '\0') << QByteArray();
        QTest::newRow("high bytes") << QByteArray("\xc7\xd1\xb1\xdb\0", 5) << QByteArray("\xc7\xd1\xb1\xdb");
    }
    void textSlots()
    {
        QFETCH(QByteArray, slotBytes);
        QFETCH(QByteArray, text);
        ChartBuilder chart;
        chart.artistBytes(QByteArray(32, '\0')).artistBytes(slotBytes);
        const Result<ChartRecord> result = readChartBytes(chart.build());
        QVERIFY2(result.ok(), qPrintable(result.error()));
        QCOMPARE(result.value().Artist, text);
    }

    void titleUsesOnlyTheFirst32BytesOfItsSlot()
    {
        ChartBuilder chart;
        chart.titleBytes(QByteArray(32, 'T')).putBytes(140, QByteArray(32, 'x'));
        const Result<ChartRecord> result = readChartBytes(chart.build());
        QCOMPARE(result.value().Title, QByteArray(32, 'T'));
    }

    void zeroSizePictures()
    {
        ChartBuilder chart;
        chart.cover(QByteArray()).thumbnail(QByteArray());
        const Result<ChartRecord> result = readChartBytes(chart.build());
        QVERIFY2(result.ok(), qPrintable(result.error()));
        QVERIFY(result.value().FullImageData.isEmpty());
        QVERIFY(result.value().SmallFrameData.isEmpty());
    }

    void encryptedChartIsRefusedBeforeAnythingElse()
    {
        ChartBuilder chart;
        chart.putBytes(0, "new").rawCoverOffset(-5); // damage past the marker is not looked at
        const Result<ChartRecord> result = readChartBytes(chart.build());
        QCOMPARE(result.error(), encryptedChartMessage());
        QCOMPARE(readChartBytes("new").error(), encryptedChartMessage());
    }

    void malformedChartsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("description");
        const ChartBuilder good;
        const qint32 coverOffset = int32At(good.build(), 296);
        QTest::newRow("empty file") << QByteArray() << "too short to be an OJN chart: 0 bytes";
        QTest::newRow("shorter than the header")
            << good.build().left(120) << "too short to be an OJN chart: 120 bytes, a chart header needs 300";
        QTest::newRow("negative cover offset")
            << ChartBuilder().rawCoverOffset(-1).build() << "cover image offset is negative (-1)";
        QTest::newRow("negative cover size")
            << ChartBuilder().rawCoverSize(-20).build() << "cover image size is negative (-20)";
        QTest::newRow("negative thumbnail size")
            << ChartBuilder().rawThumbnailSize(-1).build() << "thumbnail size is negative";
        QTest::newRow("cover inside the header")
            << ChartBuilder().rawCoverOffset(120).build() << "would start at byte 120, inside the 300-byte header";
        QTest::newRow("offset plus size beyond 32 bits")
            << ChartBuilder().rawCoverOffset(coverOffset).rawCoverSize(0x7fffffff).build()
            << "beyond the 32-bit range";
        QTest::newRow("cover past the end")
            << ChartBuilder().rawCoverSize(1 << 20).build() << "cover image (1048576 bytes at byte";
        QTest::newRow("thumbnail past the end")
            << ChartBuilder().rawThumbnailSize(1 << 20).build() << "thumbnail (1048576 bytes at byte";
        QTest::newRow("cut inside the thumbnail")
            << good.build().chopped(1) << "reaches past the end of the file";
    }
    void malformedChartsAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, description);
        const Result<ChartRecord> result = readChartBytes(bytes);
        QVERIFY(!result.ok());
        QVERIFY2(result.error().contains(description), qPrintable(result.error()));
    }

    void readsFromAFileAndNeverCreatesOne()
    {
        QTemporaryDir dir;
        const QString path = ChartBuilder().writeTo(dir.filePath("song.ojn"));
        const Result<ChartRecord> read = readChartFile(path);
        QVERIFY2(read.ok(), qPrintable(read.error()));
        QCOMPARE(read.value().ChartPath, path);

        const QString missing = dir.filePath("missing.ojn");
        const Result<ChartRecord> failed = readChartFile(missing);
        QVERIFY(!failed.ok());
        QVERIFY2(failed.error().contains("File not found"), qPrintable(failed.error()));
        QVERIFY(!QFile::exists(missing));

        const Result<ChartRecord> folder = readChartFile(dir.path());
        QVERIFY(!folder.ok());
        QVERIFY2(folder.error().contains("folder"), qPrintable(folder.error()));
    }

    // An encrypted chart's pictures are read and decrypted on their own;
    // odd sizes put them in the middle of a key block.
    void encryptedChartPictures()
    {
        QTemporaryDir dir;
        ChartBuilder plain;
        plain.noteSections(1, 1, 1).cover(QByteArray(1001, 'c')).thumbnail(QByteArray(77, 't'));
        writeFile(dir.filePath("o2ma1.ojn"), encryptChart(plain.build(), 13, 0x5a, 0x3c, 0x99));
        const ChartPictureBytes pictures = readChartPictures(scanChartFile(dir.filePath("o2ma1.ojn")));
        QCOMPARE(pictures.cover, plain.coverBytes());
        QCOMPARE(pictures.thumbnail, plain.thumbnailBytes());
    }
};

QTEST_MAIN(ChartReaderTest)
#include "tst_chart_reader.moc"
