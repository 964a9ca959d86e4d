#include "model/ChartCheck.h"
#include "model/ChartFileCheck.h"
#include "support/ChartBuilder.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cstring>

using namespace ojn;
using namespace ojn::test;

namespace {

QList<int> typesOf(const Findings &findings, bool withNoteSections = true)
{
    QList<int> types;
    for (const Finding &f : findings) {
        if (withNoteSections || f.type != FindingType::NoteSection)
            types.append(int(f.type));
    }
    return types;
}

// Every way to check a chart: in memory, and from a file at header level and in depth.
struct Checks {
    ChartScan bytes, header, deep;
};
Checks checkAllWays(const QByteArray &file)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.ojn");
    writeFile(path, file);
    return {checkChartBytes(file), scanChartFile(path), checkChartFile(path)};
}

} // namespace

class ChartCheckTest : public QObject {
    Q_OBJECT
private slots:
    void readsEveryHeaderFieldAtItsOffset()
    {
        QByteArray bytes(300, '\0');
        for (int i = 0; i < 300; ++i)
            bytes[i] = char(i + 1); // a zero byte only at 255, inside the OJM slot
        const std::optional<ChartHeader> h = parseChartHeader(bytes);
        QVERIFY(h && !parseChartHeader(bytes.left(299)));
        auto bits = [](float f) { qint32 i; std::memcpy(&i, &f, 4); return qint64(i); };
        const struct { const char *field; qint64 value; int offset, size; } fields[] = {
            {"song ID", h->songId, 0, 4}, {"encoder version", bits(h->encoderVersion), 8, 4}, {"genre", h->genre, 12, 4},
            {"BPM", bits(h->bpm), 16, 4}, {"level Ex", h->levels[0], 20, 2}, {"level Nx", h->levels[1], 22, 2},
            {"level Hx", h->levels[2], 24, 2}, {"level 4", h->levels[3], 26, 2}, {"events Ex", h->eventCounts[0], 28, 4},
            {"events Hx", h->eventCounts[2], 36, 4}, {"notes Ex", h->noteCounts[0], 40, 4}, {"notes Hx", h->noteCounts[2], 48, 4},
            {"measures Ex", h->measureCounts[0], 52, 4}, {"measures Hx", h->measureCounts[2], 60, 4},
            {"packages Ex", h->packageCounts[0], 64, 4}, {"packages Hx", h->packageCounts[2], 72, 4},
            {"old encoder", h->oldEncoderVersion, 76, 2}, {"old song ID", h->oldSongId, 78, 2},
            {"thumbnail size", h->thumbnailSize, 100, 4}, {"old file version", h->oldFileVersion, 104, 4},
            {"cover size", h->coverSize, 268, 4}, {"duration Ex", h->durations[0], 272, 4}, {"duration Hx", h->durations[2], 280, 4},
            {"offset Ex", h->noteSectionOffsets[0], 284, 4}, {"offset Nx", h->noteSectionOffsets[1], 288, 4},
            {"offset Hx", h->noteSectionOffsets[2], 292, 4}, {"cover offset", h->coverOffset, 296, 4},
        };
        for (const auto &f : fields) {
            const qint64 stored = f.size == 2 ? int16At(bytes, f.offset) : int32At(bytes, f.offset);
            QVERIFY2(f.value == stored, f.field);
        }
        QCOMPARE(h->bytes, bytes);
        QCOMPARE(h->oldGenre, bytes.mid(80, 20));
        QCOMPARE(h->title, bytes.mid(108, 64));
        QCOMPARE(h->artist, bytes.mid(172, 32));
        QCOMPARE(h->pattern, bytes.mid(204, 32));
        QCOMPARE(h->ojmFile, bytes.mid(236, 19)); // up to the zero at 255
        QVERIFY(!h->hasSignature());
    }

    void encryptedCharts_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QString>("reason");
        const QByteArray plain = ChartBuilder().noteSections(7, 5, 3).build();
        for (int size : {1, 2, 7, 255})
            QTest::addRow("key block of %d", size) << encryptChart(plain, quint8(size), 0x5a, 0xc3, 0x11) << plain << QString();
        QTest::newRow("holds exactly a header, so its pictures reach past the end") << encryptChart(plain.left(300), 4, 1, 2, 3) << QByteArray() << "reaches past the end";
        QTest::newRow("decrypts to garbage") << encryptChart(QByteArray(400, 'x'), 9, 1, 2, 3) << QByteArray() << "does not decrypt";
        QTest::newRow("key block size 0") << QByteArray("new\0\1\2\3", 7) + plain << QByteArray() << "size is 0";
        QTest::newRow("too short for a header") << encryptChart(plain.left(299), 4, 1, 2, 3) << QByteArray() << "too few";
        QTest::newRow("only the marker") << QByteArray("new") << QByteArray() << "too few";
    }
    void encryptedCharts()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, plain);
        QFETCH(QString, reason);
        const Checks checks = checkAllWays(file);
        for (const ChartScan &scan : {checks.bytes, checks.header, checks.deep}) {
            QVERIFY(scan.encrypted);
            if (reason.isEmpty()) {
                QVERIFY2(scan.header && scan.header->bytes == plain.left(300), qPrintable(scan.unreadableReason()));
                // Findings as for the plain chart, after a note that it is encrypted.
                QList<int> types = typesOf(checkChartBytes(plain).findings, scan.noteSectionsChecked);
                types.prepend(int(FindingType::Encrypted));
                QCOMPARE(typesOf(scan.findings), types);
            } else {
                QVERIFY(!scan.header);
                QVERIFY2(scan.unreadableReason().contains(reason), qPrintable(scan.unreadableReason()));
            }
        }
    }

    void chartFindings_data()
    {
        QTest::addColumn<QByteArray>("chart");
        QTest::addColumn<QList<int>>("types");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isChart"); // it keeps its header, so it is a song
        const ChartBuilder good = ChartBuilder().noteSections(5, 4, 3);
        const QByteArray sound = good.build();
        auto with = [&good](auto change) { ChartBuilder c = good; change(c); return c.build(); };
        using T = FindingType;
        QTest::newRow("sound") << sound << QList<int>{} << QString() << true;
        QTest::newRow("too short") << sound.left(299) << QList<int>{int(T::Malformed)} << "too short to be an OJN chart" << false;
        QTest::newRow("thumbnail cut") << sound.chopped(1) << QList<int>{int(T::Malformed)} << "thumbnail" << false;
        QTest::newRow("no signature") << with([](ChartBuilder &c) { c.putBytes(4, "OJN"); })
                                      << QList<int>{int(T::NoSignature)} << "no \"ojn\" signature" << false;
        QTest::newRow("Ex not at 300") << with([](ChartBuilder &c) { c.putInt32(284, 0); })
                                       << QList<int>{int(T::SectionOffsets)} << "Ex note section starts at byte 0" << true;
        const qint32 nx = int32At(sound, 288), hx = int32At(sound, 292), cover = int32At(sound, 296);
        QTest::newRow("out of order") << with([&](ChartBuilder &c) { c.putInt32(288, hx).putInt32(292, nx); })
                                      << QList<int>{int(T::SectionOffsets), int(T::NoteSection), int(T::NoteSection)}
                                      << "Hx note section's 3 packages end at byte" << true;
        QTest::newRow("Hx past the cover") << with([&](ChartBuilder &c) { c.putInt32(292, cover + 8); })
                                           << QList<int>{int(T::SectionOffsets), int(T::NoteSection)}
                                           << QString("short of the next section at byte %1").arg(cover + 8) << true;
        QTest::newRow("walk ends short") << with([](ChartBuilder &c) { c.putInt32(68, 3); })
                                         << QList<int>{int(T::NoteSection)} << QString("short of the next section at byte %1").arg(hx) << true;
        QTest::newRow("walk ends long") << with([](ChartBuilder &c) { c.putInt32(64, 6); })
                                        << QList<int>{int(T::NoteSection)} << QString("past the next section at byte %1").arg(nx) << true;
        QTest::newRow("walk past the data") << with([](ChartBuilder &c) { c.putInt32(72, 99); })
                                            << QList<int>{int(T::NoteSection)} << QString("past the end of the note data at byte %1").arg(cover) << true;
        QTest::newRow("negative package count") << with([](ChartBuilder &c) { c.putInt32(72, -2); })
                                                << QList<int>{int(T::NoteSection)} << "package count is negative (-2)" << true;
        QByteArray notes = good.noteBytes();
        qToLittleEndian<qint16>(-1, notes.data() + 6);
        QTest::newRow("negative event count") << with([&](ChartBuilder &c) { c.noteData(notes); })
                                              << QList<int>{int(T::NoteSection)} << "package 1 of 5, at byte 300, has a negative event count" << true;
        QTest::newRow("bytes after the thumbnail") << with([](ChartBuilder &c) { c.trailing("xyz"); })
                                                   << QList<int>{int(T::TrailingBytes)} << "3 bytes follow the thumbnail" << true;
    }
    void chartFindings()
    {
        QFETCH(QByteArray, chart);
        QFETCH(QList<int>, types);
        QFETCH(QString, text);
        QFETCH(bool, isChart);
        const Checks checks = checkAllWays(chart);
        QCOMPARE(typesOf(checks.bytes.findings), types);
        QCOMPARE(typesOf(checks.deep.findings), types);
        QCOMPARE(typesOf(checks.header.findings), typesOf(checks.bytes.findings, false));
        if (!types.isEmpty())
            QVERIFY2(checks.deep.findings.last().text.contains(text), qPrintable(checks.deep.findings.last().text));
        QCOMPARE(checks.deep.noteSectionsChecked, chart.size() >= 300);
        for (const ChartScan &scan : {checks.bytes, checks.header, checks.deep}) {
            QCOMPARE(scan.header.has_value(), isChart);
            QCOMPARE(scan.unreadableReason(), isChart ? QString() : scan.findings.last().text);
        }
    }
};

QTEST_GUILESS_MAIN(ChartCheckTest)
#include "tst_chart_check.moc"
