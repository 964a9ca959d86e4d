#include "model/ChartReader.h"
#include "model/ChartWriter.h"
#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <QBuffer>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

namespace {

QByteArray written(const ChartRecord &record)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    const Result<> outcome = writeChart(record, buffer);
    if (!outcome.ok())
        qFatal("write failed: %s", qPrintable(outcome.error()));
    return out;
}

// Byte ranges that no field owns: a save must leave them as loaded.
const QList<QPair<int, int>> keptRanges{{4, 12}, {14, 16}, {26, 100}, {104, 108}, {272, 296}};

} // namespace

class ChartWriterTest : public QObject {
    Q_OBJECT
private slots:
    void uneditedRewriteFollowsTheLayout_data()
    {
        QTest::addColumn<QByteArray>("chart");
        QTest::newRow("plain") << ChartBuilder().build();
        QTest::newRow("bytes after the thumbnail") << ChartBuilder().trailing(QByteArray(777, 't')).build();
        QTest::newRow("leftovers after the texts")
            << ChartBuilder()
                   .titleBytes(QByteArray("Hi\0leftover title bytes", 23))
                   .artistBytes(QByteArray("A\0rtist leftovers", 17))
                   .ojmBytes(QByteArray("x.ojm\0zzzzzzzzzzzzzzzzzzzzzzzzzz", 32))
                   .build();
        QTest::newRow("32-byte texts") << ChartBuilder().titleBytes(QByteArray(32, 'T')).artistBytes(QByteArray(32, 'A'))
                                                 .patternBytes(QByteArray(32, 'P')).ojmBytes(QByteArray(32, 'O')).build();
        QTest::newRow("no pictures") << ChartBuilder().cover(QByteArray()).thumbnail(QByteArray()).build();
        QTest::newRow("genre outside the list") << ChartBuilder().genre(42).build();
        QTest::newRow("negative genre") << ChartBuilder().genre(-7).build();
    }
    void uneditedRewriteFollowsTheLayout()
    {
        QFETCH(QByteArray, chart);
        const QByteArray actual = written(recordOf(chart));
        const QByteArray expected = expectedUneditedSave(chart);
        QCOMPARE(actual.size(), expected.size());
        for (qsizetype i = 0; i < actual.size(); ++i)
            QVERIFY2(actual[i] == expected[i], qPrintable(QString("first difference at byte %1").arg(i)));
    }

    void titleSlotAfterAWrite()
    {
        ChartBuilder chart;
        chart.putBytes(108, QByteArray(64, 'q'));
        ChartRecord record = recordOf(chart.build());
        record.Title = QByteArray(32, 'N');
        const QByteArray out = written(record);
        QCOMPARE(out.mid(108, 32), QByteArray(32, 'N'));
        QCOMPARE(out.at(140), '\0');
        QCOMPARE(out.mid(141, 31), QByteArray(31, 'q'));
    }

    void editedFieldsLandAtTheirOffsetsAndNothingElseMoves()
    {
        const QByteArray original = ChartBuilder().noteData(QByteArray(4096, '\x5a')).build();
        ChartRecord record = recordOf(original);
        record.SongID = -123456;
        record.Title = "New title";
        record.Artist = "Someone";
        record.Pattern = "";
        record.OJMFile = "o2ma999.ojm";
        record.Genre = 10;
        record.BPM = 174.25f;
        record.LevelEx = -32768;
        record.LevelNx = 32767;
        record.LevelHx = 0;
        const QByteArray out = written(record);

        QCOMPARE(int32At(out, 0), -123456);
        QCOMPARE(int16At(out, 12), qint16(10));
        QCOMPARE(floatAt(out, 16), 174.25f);
        QCOMPARE(int16At(out, 20), qint16(-32768));
        QCOMPARE(int16At(out, 22), qint16(32767));
        QCOMPARE(int16At(out, 24), qint16(0));
        QCOMPARE(out.mid(108, 10), QByteArray("New title\0", 10));
        QCOMPARE(out.mid(172, 8), QByteArray("Someone\0", 8));
        QCOMPARE(out.mid(204, 33), QByteArray(33, '\0').replace(32, 1, "o"));
        QCOMPARE(out.mid(236, 12), QByteArray("o2ma999.ojm\0", 12));
        for (const auto &[from, to] : keptRanges)
            QCOMPARE(out.mid(from, to - from), original.mid(from, to - from));
        // Note counts travel inside the body, and so do the note data.
        QCOMPARE(out.mid(40, 12), original.mid(40, 12));
        QCOMPARE(out.mid(300, 4096), original.mid(300, 4096));
    }

    void replacedCoverMovesTheThumbnailAndKeepsTheOffset()
    {
        const QByteArray original = ChartBuilder().build();
        ChartRecord record = recordOf(original);
        const QByteArray bigCover = jpegBytes(QSize(64, 48), Qt::green);
        QVERIFY(bigCover.size() != record.FullImageData.size());
        record.FullImageData = bigCover;
        const QByteArray out = written(record);
        const qint32 offset = int32At(original, 296);
        QCOMPARE(int32At(out, 296), offset);
        QCOMPARE(int32At(out, 268), qint32(bigCover.size()));
        QCOMPARE(int32At(out, 100), qint32(record.SmallFrameData.size()));
        QCOMPARE(out.mid(offset, bigCover.size()), bigCover);
        QCOMPARE(out.mid(offset + bigCover.size()), record.SmallFrameData);
    }

    void unwritableRecordsAreRefused_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("description");
        QTest::newRow("33-byte title") << 0 << "title takes 33 bytes";
        QTest::newRow("33-byte OJM name") << 1 << "OJM file name takes 33 bytes";
        QTest::newRow("body shorter than a header") << 2 << "only 10 bytes ahead of its cover";
    }
    void unwritableRecordsAreRefused()
    {
        QFETCH(int, field);
        QFETCH(QString, description);
        ChartRecord record = recordOf(ChartBuilder().build());
        if (field == 0)
            record.Title = QByteArray(33, 'x');
        else if (field == 1)
            record.OJMFile = QByteArray(33, 'x');
        else
            record.ChartBodyData = QByteArray(10, 'b');
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        const Result<> outcome = writeChart(record, buffer);
        QVERIFY(!outcome.ok());
        QVERIFY2(outcome.error().contains(description), qPrintable(outcome.error()));
        QVERIFY(out.isEmpty());
    }
};

QTEST_MAIN(ChartWriterTest)
#include "tst_chart_writer.moc"
