#include "model/ChartLayout.h"
#include "model/SongId.h"

#include <QTest>

using namespace ojn;

class ChartLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void encryptionMarker_data()
    {
        QTest::addColumn<QByteArray>("firstBytes");
        QTest::addColumn<bool>("encrypted");
        QTest::newRow("new") << QByteArray("new") << true;
        QTest::newRow("new followed by data") << QByteArray("new\x01\x02", 5) << true;
        QTest::newRow("capital N") << QByteArray("New") << false;
        QTest::newRow("all capitals") << QByteArray("NEW") << false;
        QTest::newRow("too short") << QByteArray("ne") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("song id bytes") << QByteArray("\xd2\x04\x00\x00", 4) << false;
    }
    void encryptionMarker()
    {
        QFETCH(QByteArray, firstBytes);
        QFETCH(bool, encrypted);
        QCOMPARE(isEncrypted(firstBytes), encrypted);
    }

    void genreValues_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("value");
        QTest::newRow("first") << "Ballad" << 0;
        QTest::newRow("with slash") << "Soul / R&B" << 5;
        QTest::newRow("last") << "Etc" << 10;
        QTest::newRow("other case") << "ballad" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("trailing blank") << "Rock " << -1;
    }
    void genreValues()
    {
        QFETCH(QString, name);
        QFETCH(int, value);
        QCOMPARE(genreValueOf(name), value);
        QCOMPARE(int(genreNames().size()), 11);
    }

    void songIdFromFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("id");
        QTest::newRow("plain") << "o2ma100.ojn" << qint64(100);
        QTest::newRow("revision, capitals") << "O2MA0042_v2.OJN" << qint64(42);
        QTest::newRow("empty version") << "o2ma100_.ojn" << qint64(-1);
        QTest::newRow("no digits") << "o2ma.ojn" << qint64(-1);
        QTest::newRow("letters after digits") << "o2ma12a.ojn" << qint64(-1);
        QTest::newRow("other name") << "Tutorial.ojn" << qint64(-1);
    }
    void songIdFromFileNames()
    {
        QFETCH(QString, name);
        QFETCH(qint64, id);
        QCOMPARE(songIdFromFileName(name).value_or(-1), id);
    }
};

QTEST_GUILESS_MAIN(ChartLayoutTest)
#include "tst_chart_layout.moc"
