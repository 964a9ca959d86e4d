#include "text/Csv.h"

#include <QTest>

using namespace ojn;

namespace {

// Records written "line:field|field" (an error as "line!text in it"), one
// string per record.
QStringList shown(const QList<CsvRecord> &records)
{
    QStringList out;
    for (const CsvRecord &r : records)
        out << (r.error.isEmpty() ? QStringLiteral("%1:%2").arg(r.line).arg(r.fields.join(u'|'))
                                  : QStringLiteral("%1!%2").arg(r.line).arg(r.error));
    return out;
}

} // namespace

class CsvTest : public QObject {
    Q_OBJECT
private slots:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("records"); // as shown() writes them; one "error" row: csvTextOf refuses

        QTest::newRow("CRLF") << QByteArray("a,b\r\nc,d\r\n") << QStringList{"1:a|b", "2:c|d"};
        QTest::newRow("LF, no break at the end") << QByteArray("a,b\nc,d") << QStringList{"1:a|b", "2:c|d"};
        QTest::newRow("lone CR") << QByteArray("a\rb") << QStringList{"1:a", "2:b"};
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF" "file,title\r\n") << QStringList{"1:file|title"};
        QTest::newRow("only the first mark is taken off") << QByteArray("\xEF\xBB\xBF" "\xEF\xBB\xBF" "a\r\n") << QStringList{QStringLiteral("1:\uFEFFa")};
        QTest::newRow("empty fields") << QByteArray(",,\r\n") << QStringList{"1:||"};
        QTest::newRow("blank line inside") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"1:a", "2:", "3:b"};
        QTest::newRow("empty text") << QByteArray("") << QStringList{};
        QTest::newRow("quoted comma") << QByteArray("\"a,b\",c\r\n") << QStringList{"1:a,b|c"};
        QTest::newRow("doubled quotes") << QByteArray("\"say \"\"hi\"\"\",\"\"\r\n") << QStringList{"1:say \"hi\"|"};
        QTest::newRow("quoted line breaks count lines") << QByteArray("\"one\r\ntwo\nthree\",x\r\nnext\r\n")
                                                        << QStringList{"1:one\r\ntwo\nthree|x", "4:next"};
        QTest::newRow("ragged rows") << QByteArray("a,b,c\nd\n") << QStringList{"1:a|b|c", "2:d"};
        QTest::newRow("Korean") << QByteArray("\xEB\x85\xB8\xEB\x9E\x98,1\r\n") << QStringList{QStringLiteral("1:노래|1")};
        QTest::newRow("blanks kept") << QByteArray(" a , b \r\n") << QStringList{"1: a | b "};
        QTest::newRow("zero and control characters kept, for the field rules to refuse") << QByteArray("a\0b,\"c\x01\td\"\r\n", 12)
                                                          << QStringList{QString::fromLatin1("1:a\0b|c\x01\td", 10)};
        QTest::newRow("stray quote, next line still read") << QByteArray("a\"b,c\r\nd\r\n")
            << QStringList{"1!Field 1 has a quote inside it; a field with quotes must be in quotes itself, with each of its quotes doubled.", "2:d"};
        QTest::newRow("text after closing quote") << QByteArray("x,\"a\"b,c\nd\n") << QStringList{"1!Field 2 has text after its closing quote.", "2:d"};
        QTest::newRow("quote never closed") << QByteArray("a\r\n\"b,\r\nc\r\n") << QStringList{"1:a", "2!The quote that opens field 1 on line 2 is never closed."};
        QTest::newRow("not UTF-8") << QByteArray("a\r\n\xB3\xEB\xB7\xA1\r\n") << QStringList{"error: It is not UTF-8 text (line 2 is not); save it as \"CSV UTF-8\"."};
    }
    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, records);
        const Result<QString> text = csvTextOf(bytes);
        if (!text.ok()) {
            QCOMPARE(QStringList{"error: " + text.error()}, records);
            return;
        }
        const QList<CsvRecord> read = readCsv(text.value());
        QCOMPARE(shown(read), records);
        // What was read well is written back to the same fields.
        for (const CsvRecord &r : read) {
            if (r.error.isEmpty())
                QCOMPARE(readCsv(csvTextOf(csvByteOrderMark() + csvLine(r.fields)).value()).value(0).fields, r.fields);
        }
    }
};

QTEST_GUILESS_MAIN(CsvTest)
#include "tst_csv.moc"
