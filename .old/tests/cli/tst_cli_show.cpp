#include "CliRunner.h"
#include "text/CodePage.h"
#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <limits>

using namespace ojn;
using namespace ojn::test;

namespace {

QByteArray cp949(const QString &text)
{
    return TextCodec(949).encode(text).value_or(QByteArray());
}

// The stored text of a slot, read straight from the bytes.
QByteArray slotText(const QByteArray &chart, int offset)
{
    return chart.mid(offset, 32).split('\0').first();
}

} // namespace

class CliShowTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;
    QString chartFile(const QString &name, const ChartBuilder &chart) { return chart.writeTo(dir.filePath(name)); }

private slots:
    void showsEveryFieldAsTheEditorDoes()
    {
        ChartBuilder chart;
        chart.songId(4021).genre(5).bpm(145.5f).levels(3, 7, 11).noteCounts(512, 1024, 2048)
            .titleBytes(QByteArray("V3\0", 3)).artistBytes(QByteArray("Someone\0", 8))
            .patternBytes(QByteArray("Mapper\0", 7)).ojmBytes(QByteArray("o2ma4021.ojm\0", 13));
        const QString path = chartFile("o2ma4021.ojn", chart);
        const CliRun run = runCli({"show", path});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        const QString expected = QStringLiteral("File:      %1\n"
                                                "Song ID:   4021\n"
                                                "Title:     V3\n"
                                                "Artist:    Someone\n"
                                                "Pattern:   Mapper\n"
                                                "Genre:     Soul / R&B\n"
                                                "OJM file:  o2ma4021.ojm\n"
                                                "BPM:       145.5\n"
                                                "Level Ex:  3\n"
                                                "Level Nx:  7\n"
                                                "Level Hx:  11\n"
                                                "Notes Ex:  512\n"
                                                "Notes Nx:  1024\n"
                                                "Notes Hx:  2048\n"
                                                "Cover:     %2 bytes, JPEG 16 x 12\n"
                                                "Thumbnail: %3 bytes, BMP 8 x 6\n")
                                     .arg(QDir::toNativeSeparators(path))
                                     .arg(chart.coverBytes().size())
                                     .arg(chart.thumbnailBytes().size());
        QCOMPARE(run.out, expected);
    }

    void fieldForms_data()
    {
        QTest::addColumn<QByteArray>("chart");
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QString>("line");

        const QString c = QStringLiteral("C");
        QTest::newRow("BPM in German") << ChartBuilder().bpm(128.5f).build() << "de_DE" << 1252 << "BPM:       128,5";
        QTest::newRow("whole BPM") << ChartBuilder().bpm(130.0f).build() << c << 1252 << "BPM:       130";
        QTest::newRow("BPM of seven digits") << ChartBuilder().bpm(123.4567f).build() << c << 1252 << "BPM:       123.4567";
        QTest::newRow("NaN BPM") << ChartBuilder().bpm(std::numeric_limits<float>::quiet_NaN()).build() << c << 1252
                                 << "BPM:       NaN";
        QTest::newRow("negative song ID") << ChartBuilder().songId(-1).build() << c << 1252 << "Song ID:   -1";
        QTest::newRow("genre after the list") << ChartBuilder().genre(42).build() << c << 1252
                                              << "Genre:     42 (not in the genre list)";
        QTest::newRow("negative genre") << ChartBuilder().genre(-1).build() << c << 1252
                                        << "Genre:     -1 (not in the genre list)";
        QTest::newRow("last genre") << ChartBuilder().genre(10).build() << c << 1252 << "Genre:     Etc";
        QTest::newRow("no cover") << ChartBuilder().cover(QByteArray()).build() << c << 1252 << "Cover:     none (0 bytes)";
        QTest::newRow("cover of text") << ChartBuilder().cover("this is no picture").build() << c << 1252
                                       << "Cover:     18 bytes, not a picture";
        QTest::newRow("cover of zeros") << ChartBuilder().cover(QByteArray(64, '\0')).build() << c << 1252
                                        << "Cover:     64 bytes, not a picture";
        QTest::newRow("JPEG thumbnail") << ChartBuilder().thumbnail(jpegBytes(QSize(40, 30), Qt::red)).build() << c << 1252
                                        << QStringLiteral("Thumbnail: %1 bytes, JPEG 40 x 30").arg(jpegBytes(QSize(40, 30), Qt::red).size());
        QTest::newRow("Korean title in code page 949")
            << ChartBuilder().titleBytes(cp949(QStringLiteral("노래 제목")) + QByteArray(1, '\0')).build() << "ko_KR" << 949
            << QStringLiteral("Title:     노래 제목");
        QTest::newRow("32-byte title without a zero") << ChartBuilder().putBytes(108, QByteArray(64, 'q')).build() << c << 1252
                                                      << "Title:     " + QString(32, 'q');
        QTest::newRow("text ended early") << ChartBuilder().artistBytes(QByteArray("abc\0leftover", 12)).build() << c << 1252
                                          << "Artist:    abc";
        QTest::newRow("control character") << ChartBuilder().patternBytes(QByteArray("A\tB\0", 4)).build() << c << 1252
                                           << "Pattern:   A\\x09B";
        QTest::newRow("spaces kept") << ChartBuilder().ojmBytes(QByteArray(" x.ojm \0", 8)).build() << c << 1252
                                     << "OJM file:   x.ojm ";
    }
    void fieldForms()
    {
        QFETCH(QByteArray, chart);
        QFETCH(QString, localeName);
        QFETCH(int, codePage);
        QFETCH(QString, line);
        const QString path = dir.filePath("chart.ojn");
        writeFile(path, chart);
        const CliRun run = runCli({"show", path}, QLocale(localeName), codePage);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.split('\n').contains(line), qPrintable(run.out));
    }

    void jsonParsesBackToTheStoredBytes()
    {
        const QList<QByteArray> charts{
            ChartBuilder().songId(-7).genre(2).bpm(128.3f).levels(-1, 0, 32767).noteCounts(1, 22, 333).build(),
            ChartBuilder()
                .titleBytes(cp949(QStringLiteral("한국어")) + QByteArray("\0left", 5))
                .artistBytes(QByteArray(32, 'A'))
                .patternBytes(QByteArray("\x81\xff", 3))
                .ojmBytes(QByteArray(1, '\0'))
                .genre(42)
                .build(),
            ChartBuilder().bpm(std::numeric_limits<float>::infinity()).cover(QByteArray()).thumbnail("no picture").build(),
        };
        QStringList paths;
        for (int i = 0; i < charts.size(); ++i) {
            paths << dir.filePath(QStringLiteral("json%1.ojn").arg(i));
            writeFile(paths.last(), charts[i]);
        }
        const CliRun run = runCli(QStringList{"show", "--json"} + paths, QLocale::c(), 949);
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), charts.size());

        const TextCodec codec(949);
        for (int i = 0; i < charts.size(); ++i) {
            const QByteArray &bytes = charts[i];
            QJsonParseError error;
            const QJsonObject o = QJsonDocument::fromJson(lines[i].toUtf8(), &error).object();
            QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
            QCOMPARE(o["file"].toString(), QDir::toNativeSeparators(paths[i]));
            QCOMPARE(o["songId"].toInteger(), int32At(bytes, 0));
            QCOMPARE(o["genre"].toInteger(), int16At(bytes, 12));
            QCOMPARE(o["levelEx"].toInteger(), int16At(bytes, 20));
            QCOMPARE(o["levelNx"].toInteger(), int16At(bytes, 22));
            QCOMPARE(o["levelHx"].toInteger(), int16At(bytes, 24));
            QCOMPARE(o["noteCountEx"].toInteger(), int32At(bytes, 40));
            QCOMPARE(o["noteCountNx"].toInteger(), int32At(bytes, 44));
            QCOMPARE(o["noteCountHx"].toInteger(), int32At(bytes, 48));
            QCOMPARE(o["codePage"].toInt(), 949);
            const float bpm = floatAt(bytes, 16);
            if (std::isfinite(bpm))
                QCOMPARE(o["bpm"].toDouble(), double(bpm)); // exactly the stored single
            else
                QVERIFY(o["bpm"].isNull());
            const struct { const char *key; int offset; } texts[] = {
                {"title", 108}, {"artist", 172}, {"pattern", 204}, {"ojmFile", 236}};
            for (const auto &t : texts) {
                const QByteArray stored = slotText(bytes, t.offset);
                QCOMPARE(QByteArray::fromHex(o[QString(t.key) + "Hex"].toString().toLatin1()), stored);
                QCOMPARE(o[t.key].toString(), codec.decode(stored));
            }
            const qint32 coverOffset = int32At(bytes, 296);
            const qint32 coverSize = int32At(bytes, 268);
            QCOMPARE(o["cover"]["offset"].toInteger(), coverOffset);
            QCOMPARE(o["cover"]["size"].toInteger(), coverSize);
            QCOMPARE(o["thumbnail"]["offset"].toInteger(), coverOffset + coverSize);
            QCOMPARE(o["thumbnail"]["size"].toInteger(), int32At(bytes, 100));
        }
        const QJsonObject first = QJsonDocument::fromJson(lines[0].toUtf8()).object();
        QCOMPARE(first["genreName"].toString(), QString("Dance"));
        QCOMPARE(first["bpmText"].toString(), QString("128.3"));
        QCOMPARE(first["cover"]["format"].toString(), QString("jpeg"));
        QCOMPARE(first["cover"]["width"].toInt(), 16);
        QCOMPARE(first["thumbnail"]["format"].toString(), QString("bmp"));
        const QJsonObject second = QJsonDocument::fromJson(lines[1].toUtf8()).object();
        QCOMPARE(second["title"].toString(), QStringLiteral("한국어"));
        QVERIFY(second["genreName"].isNull());
        const QJsonObject third = QJsonDocument::fromJson(lines[2].toUtf8()).object();
        QCOMPARE(third["bpmText"].toString(), QString("Infinity"));
        QVERIFY(third["cover"]["format"].isNull());
        QVERIFY(third["thumbnail"]["format"].isNull());
        QVERIFY(third["thumbnail"]["width"].isNull());
    }

    void batchGoesOnPastBadCharts_data()
    {
        QTest::addColumn<bool>("json");
        QTest::newRow("text") << false;
        QTest::newRow("json") << true;
    }
    void batchGoesOnPastBadCharts()
    {
        QFETCH(bool, json);
        const QString good1 = chartFile("good1.ojn", ChartBuilder().songId(1));
        const QString encrypted = dir.filePath("encrypted.ojn");
        writeFile(encrypted, "new" + ChartBuilder().build());
        const QString tooShort = dir.filePath("short.ojn");
        writeFile(tooShort, QByteArray(120, 'x'));
        const QString coverPastEnd = chartFile("past-end.ojn", ChartBuilder().rawCoverSize(1 << 20));
        const QString missing = dir.filePath("missing.ojn");
        const QString good2 = chartFile("good2.ojn", ChartBuilder().songId(2));
        QStringList args{"show"};
        if (json)
            args << "--json";
        args << good1 << encrypted << tooShort << coverPastEnd << missing << dir.path() << good2;

        const CliRun run = runCli(args);
        QCOMPARE(run.status, 1);
        if (json) {
            const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), 2);
            QCOMPARE(QJsonDocument::fromJson(lines[0].toUtf8())["songId"].toInt(), 1);
            QCOMPARE(QJsonDocument::fromJson(lines[1].toUtf8())["songId"].toInt(), 2);
        } else {
            QCOMPARE(run.out.count("File:"), 2);
            QVERIFY(run.out.indexOf(QDir::toNativeSeparators(good1)) < run.out.indexOf(QDir::toNativeSeparators(good2)));
            QVERIFY(run.out.contains("\n\nFile:")); // blocks apart
        }
        const QStringList errors = run.err.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(errors.size(), 5);
        QCOMPARE(errors[0], QStringLiteral("ojn-header: %1: This Encrypted OJN, This Editor Doesn't Support Encrypted OJN.")
                                .arg(QDir::toNativeSeparators(encrypted)));
        const QStringList badOnes{tooShort, coverPastEnd, missing, dir.path()};
        for (int i = 0; i < badOnes.size(); ++i)
            QVERIFY2(errors[i + 1].contains(QDir::toNativeSeparators(badOnes[i])), qPrintable(errors[i + 1]));
        QVERIFY(errors[1].contains("too short"));
        QVERIFY(errors[2].contains("reaches past the end"));
    }
};

QTEST_MAIN(CliShowTest)
#include "tst_cli_show.moc"
