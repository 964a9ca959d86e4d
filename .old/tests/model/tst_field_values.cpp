// The field rules as the editor's boxes and ojn-header's options both use
// them: one field's text changed, the header that a save then writes.
#include "model/ChartWriter.h"
#include "model/FieldValues.h"
#include "support/ChartBuilder.h"

#include <QTest>

#include <map>

using namespace ojn;
using namespace ojn::test;

namespace {

QString &textOf(FieldTexts &texts, const QString &field)
{
    static const std::map<QString, HeaderField> fields{
        {"SongID", HeaderField::SongId}, {"Title", HeaderField::Title},     {"Artist", HeaderField::Artist},
        {"Pattern", HeaderField::Pattern}, {"OJMFile", HeaderField::OjmFile}, {"Genre", HeaderField::Genre},
        {"BPM", HeaderField::Bpm},       {"LevelEx", HeaderField::LevelEx}, {"LevelNx", HeaderField::LevelNx},
        {"LevelHx", HeaderField::LevelHx},
    };
    return texts[fields.at(field)];
}

} // namespace

class FieldValuesTest : public QObject {
    Q_OBJECT
private slots:
    void oneFieldsText_data()
    {
        QTest::addColumn<QByteArray>("chart");
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes"); // what the header holds there afterwards
        QTest::addColumn<QStringList>("refusal"); // the message's parts; empty when accepted

        // A tempo of nine digits (bits 0x43055555) shows as 133.3333, so every
        // row that leaves the tempo alone checks that it keeps its bits.
        const QByteArray chart = ChartBuilder().bpm(133.33333f).genre(42).build();
        const QString hangul = QString::fromUtf8("한글");
        auto row = [&](const char *name, const char *locale, int codePage, const char *field, const QString &text,
                       int offset, const QByteArray &bytes, const QStringList &refusal = {}) {
            QTest::newRow(name) << chart << locale << codePage << field << text << offset << bytes << refusal;
        };

        row("song ID", "C", 1252, "SongID", "987654", 0, littleEndian<qint32>(987654));
        row("song ID -1", "C", 1252, "SongID", "-1", 0, littleEndian<qint32>(-1));
        row("song ID 12.5 rounds to 12", "C", 1252, "SongID", "12.5", 0, littleEndian<qint32>(12));
        row("song ID 13.5 rounds to 14", "C", 1252, "SongID", "13.5", 0, littleEndian<qint32>(14));
        row("song ID highest", "C", 1252, "SongID", "2147483647", 0, littleEndian<qint32>(2147483647));
        row("song ID 12,5 in German rounds to 12", "de_DE", 1252, "SongID", "12,5", 0, littleEndian<qint32>(12));
        row("Ex -3", "C", 1252, "LevelEx", "-3", 20, littleEndian<qint16>(-3));
        row("Nx 0012", "C", 1252, "LevelNx", "0012", 22, littleEndian<qint16>(12));
        row("Nx highest", "C", 1252, "LevelNx", "32767", 22, littleEndian<qint16>(32767));
        row("Hx lowest", "C", 1252, "LevelHx", "-32768", 24, littleEndian<qint16>(-32768));
        row("BPM 12.5", "C", 1252, "BPM", "12.5", 16, littleEndian<float>(12.5f));
        row("BPM 174.123456 as a float", "C", 1252, "BPM", "174.123456", 16, littleEndian<float>(174.123456f));
        row("BPM 128,5 in German", "de_DE", 1252, "BPM", "128,5", 16, littleEndian<float>(128.5f));
        row("negative BPM", "C", 1252, "BPM", "-1", 16, littleEndian<float>(-1.0f));
        row("title", "C", 1252, "Title", "New Title", 108, savedSlot("New Title", 33));
        row("title of 32 bytes", "C", 1252, "Title", QString(32, 'N'), 108, savedSlot(QByteArray(32, 'N'), 33));
        row("title with blanks kept", "C", 1252, "Title", "  spaced  ", 108, savedSlot("  spaced  ", 33));
        row("title in code page 1252", "C", 1252, "Title", QString::fromUtf8("Café Déjà €"), 108,
                 savedSlot("Caf\xe9 D\xe9j\xe0 \x80", 33));
        row("artist in code page 949", "C", 949, "Artist", hangul, 172, savedSlot("\xc7\xd1\xb1\xdb"));
        row("pattern emptied", "C", 1252, "Pattern", "", 204, savedSlot(""));
        row("OJM file of 32 bytes", "C", 1252, "OJMFile", QString(32, 'o'), 236, QByteArray(32, 'o'));
        row("genre Ballad", "C", 1252, "Genre", "Ballad", 12, littleEndian<qint16>(0));
        row("genre Etc", "C", 1252, "Genre", "Etc", 12, littleEndian<qint16>(10));
        row("no genre keeps the stored one", "C", 1252, "Genre", "", 12, littleEndian<qint16>(42));
        row("a genre not in the list keeps the stored one", "C", 1252, "Genre", "rock", 12, littleEndian<qint16>(42));
        QTest::newRow("NaN BPM with a payload kept") << ChartBuilder().putInt32(16, 0x7fc01234).build() << "C" << 1252 << "LevelNx"
                                                     << "12" << 22 << littleEndian<qint16>(12) << QStringList();
        QTest::newRow("texts that do not decode kept")
            << ChartBuilder().titleBytes(QByteArray("\x81\x20\xff\0", 4)).ojmBytes(QByteArray(31, 'o') + '\xc7').build() << "C"
            << 949 << "Artist" << "A" << 172 << savedSlot("A") << QStringList();
        // A stored control character stays while its field is left as it is.
        QTest::newRow("a title holding a control character kept") << ChartBuilder().titleBytes(QByteArray("Hi\x01there\0", 9)).build()
            << "C" << 1252 << "Pattern" << "P" << 204 << savedSlot("P") << QStringList();

        row("title of 33 bytes", "C", 1252, "Title", QString(33, 'x'), 0, {}, {"Title: \"" + QString(33, 'x') + "\" takes 33 bytes"});
        row("OJM name of 40 bytes", "C", 1252, "OJMFile", QString(40, 'o'), 0, {}, {"OJM file", "40 bytes", "at most 32"});
        row("artist of 17 Hangul letters (34 bytes in 949)", "C", 949, "Artist", hangul.repeated(8) + hangul.left(1), 0, {},
            {"Artist", "34 bytes"});
        row("Hangul in code page 1252", "C", 1252, "Pattern", "Mix " + hangul, 0, {}, {"Pattern", "cannot store", "1252"});
        // What no stored text could give back, whatever its length.
        row("title holding a zero", "C", 1252, "Title", QString::fromLatin1("ab\0cd", 5), 0, {},
            {"Title: \"ab\\x00cd\" holds a zero character (U+0000), where a stored text ends"});
        row("artist holding a line break", "C", 1252, "Artist", "a\r\nb", 0, {}, {"Artist: \"a\\x0d\\x0ab\" holds a line break (U+000D)"});
        row("title of 5,000,000 characters, quoted cut", "C", 1252, "Title", QString(5000000, 'a'), 0, {},
            {"Title: \"" + QString(60, 'a') + QChar(0x2026) + "\" (5000000 characters) is too long: it takes 5000000 bytes; at most 32"});
        row("song ID of 100 digits, shown cut", "C", 1252, "SongID", QString(100, '1'), 0, {},
            {"Song ID: " + QString(60, '1') + QChar(0x2026) + " (100 characters) is out of range"});

        row("song ID of letters", "C", 1252, "SongID", "abc", 0, {}, {"Song ID: \"abc\" is not a number."});
        row("empty song ID", "C", 1252, "SongID", "", 0, {}, {"Song ID: \"\" is not a number."});
        row("point in German", "de_DE", 1252, "BPM", "12.5", 0, {}, {"BPM: \"12.5\" is not a number."});
        row("song ID beyond 32 bits", "C", 1252, "SongID", "2147483648", 0, {}, {"Song ID: 2147483648 is out of range"});
        row("song ID rounding beyond 32 bits", "C", 1252, "SongID", "2147483647.5", 0, {}, {"Song ID", "out of range"});
        row("Ex beyond 16 bits", "C", 1252, "LevelEx", "32768", 0, {}, {"Level Ex: 32768 is out of range"});
        row("Nx below 16 bits", "C", 1252, "LevelNx", "-32769", 0, {}, {"Level Nx", "-32768 to 32767"});
        row("Hx far beyond", "C", 1252, "LevelHx", "70000", 0, {}, {"Level Hx", "out of range"});
        row("BPM beyond a float", "C", 1252, "BPM", "1e39", 0, {}, {"BPM: 1e39 is out of range"});
        row("BPM beyond a double", "C", 1252, "BPM", "-1e400", 0, {}, {"BPM", "out of range"});
    }
    void oneFieldsText()
    {
        QFETCH(QByteArray, chart);
        QFETCH(QString, localeName);
        QFETCH(int, codePage);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, refusal);
        const QLocale locale(localeName);
        const TextCodec codec(codePage);
        QCOMPARE(codec.codePage(), codePage);
        ChartRecord record = recordOf(chart);
        const QByteArray before = patchedHeader(record);
        FieldTexts texts = fieldTextsOf(record, codec, locale);
        textOf(texts, field) = text;

        const Result<> outcome = applyFieldTexts(texts, record, codec, locale);

        QByteArray expected = before;
        if (refusal.isEmpty()) {
            QVERIFY2(outcome.ok(), qPrintable(outcome.error()));
            expected.replace(offset, bytes.size(), bytes);
        } else {
            QVERIFY(!outcome.ok());
            for (const QString &part : refusal)
                QVERIFY2(outcome.error().contains(part), qPrintable(outcome.error().left(1000)));
            QVERIFY2(outcome.error().size() < 400, "a value is quoted cut, never whole");
        }
        QCOMPARE(patchedHeader(record).toHex(' '), expected.toHex(' '));
    }
};

QTEST_GUILESS_MAIN(FieldValuesTest)
#include "tst_field_values.moc"
