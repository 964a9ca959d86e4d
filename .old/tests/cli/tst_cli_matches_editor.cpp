// ojn-header against the real main window: what it shows is what the
// editor's boxes show after opening the same chart, and what `set` writes
// is what the editor's Save writes for the same box texts.
#include "CliRunner.h"
#include "model/ChartLayout.h"
#include "support/EditorFixture.h"
#include "support/SystemCodePage.h"
#include "support/TestPictures.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QLineEdit>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

namespace {

// "Name:     value" lines of one `show` block.
QMap<QString, QString> shownFields(const QString &block)
{
    QMap<QString, QString> fields;
    for (const QString &line : block.split('\n', Qt::SkipEmptyParts))
        fields.insert(line.section(':', 0, 0), line.mid(11));
    return fields;
}

} // namespace

class CliMatchesEditorTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void showMatchesTheEditorsBoxes_data()
    {
        QTest::addColumn<QByteArray>("chart");
        QTest::addColumn<QString>("localeName");
        const TextCodec korean(949);
        QTest::newRow("plain") << ChartBuilder().build() << "C";
        QTest::newRow("negative numbers") << ChartBuilder().songId(-99).levels(-1, -32768, 32767).noteCounts(-5, 0, 2147483647).build()
                                          << "C";
        QTest::newRow("fractional BPM in German") << ChartBuilder().bpm(133.3333f).genre(0).build() << "de_DE";
        QTest::newRow("huge BPM") << ChartBuilder().bpm(3.4e38f).build() << "C";
        QTest::newRow("Korean texts")
            << ChartBuilder().titleBytes(korean.encode(QStringLiteral("제목")).value() + QByteArray(1, '\0'))
                   .artistBytes(korean.encode(QStringLiteral("가수")).value() + QByteArray(1, '\0')).genre(10).build()
            << "ko_KR";
        QTest::newRow("full slots") << ChartBuilder().putBytes(108, QByteArray(64, 'T')).artistBytes(QByteArray(32, 'A'))
                                           .patternBytes(QByteArray(32, 'P')).ojmBytes(QByteArray(32, 'O')).build()
                                    << "C";
    }
    void showMatchesTheEditorsBoxes()
    {
        QFETCH(QByteArray, chart);
        QFETCH(QString, localeName);
        const QLocale locale(localeName);
        QLocale::setDefault(locale);
        OJN_SKIP_UNLESS_SYSTEM_CODE_PAGE_OF(locale);
        const QString path = dir.filePath("chart.ojn");
        writeFile(path, chart);

        EditorFixture editor;
        QCOMPARE(editor.open(path), QString());
        const Form1 &window = editor.form;

        const CliRun run = runCli({"show", path}, locale, ansiCodePageFor(locale));
        QCOMPARE(run.status, 0);
        const QMap<QString, QString> shown = shownFields(run.out);
        QCOMPARE(shown["Song ID"], window.IDBox->text());
        QCOMPARE(shown["Title"], window.TitleBox->text());
        QCOMPARE(shown["Artist"], window.ArtistBox->text());
        QCOMPARE(shown["Pattern"], window.PatternBox->text());
        QCOMPARE(shown["Genre"], window.GenreBox->currentText());
        QCOMPARE(shown["OJM file"], window.OJMBox->text());
        QCOMPARE(shown["BPM"], window.BPMBox->text());
        QCOMPARE(shown["Level Ex"], window.ExBox->text());
        QCOMPARE(shown["Level Nx"], window.NxBox->text());
        QCOMPARE(shown["Level Hx"], window.HxBox->text());
        QCOMPARE(shown["Notes Ex"], window.NoteEx->text());
        QCOMPARE(shown["Notes Nx"], window.NoteNx->text());
        QCOMPARE(shown["Notes Hx"], window.NoteHx->text());
    }

    void refusalsMatchTheEditorsMessages_data()
    {
        QTest::addColumn<QByteArray>("chart");
        QTest::newRow("encrypted") << QByteArray("new") + ChartBuilder().build().mid(3);
        QTest::newRow("too short") << QByteArray(299, 'x');
        QTest::newRow("negative cover size") << ChartBuilder().rawCoverSize(-1).build();
        QTest::newRow("thumbnail past the end") << ChartBuilder().rawThumbnailSize(1 << 24).build();
    }
    void refusalsMatchTheEditorsMessages()
    {
        QFETCH(QByteArray, chart);
        const QString path = dir.filePath("refused.ojn");
        writeFile(path, chart);
        EditorFixture editor;
        const QString message = editor.open(path);
        QCOMPARE(editor.dialogs.messages.size(), 1);

        const CliRun run = runCli({"show", path});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }

    // The same box texts give the same bytes through the editor's Save and
    // through `set`, both with --output and in place.
    void setMatchesTheEditorsSave_data()
    {
        QTest::addColumn<QByteArray>("chart");
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<QStringList>("texts"); // SongID Title Artist Pattern OJMFile Genre BPM Ex Nx Hx
        QTest::addColumn<bool>("newPictures");

        const QByteArray plain = ChartBuilder().trailing("dropped by every save").build();
        QTest::newRow("every field") << plain << "C"
                                     << QStringList{"4021", "Title", "Artist", "Pattern", "o2ma4021.ojm", "Rock", "145.5", "3", "7", "11"} << false;
        QTest::newRow("as opened") << plain << "C"
                                   << QStringList{"1234", "Test Title", "Test Artist", "Tester", "o2ma1234.ojm", "Techno", "120", "1", "5", "9"} << false;
        QTest::newRow("German numbers, rounded half to even") << plain << "de_DE"
                                                             << QStringList{"12,5", "T", "A", "P", "o.ojm", "Etc", "128,25", "13,5", "-2,5", "1e2"} << false;
        QTest::newRow("Korean texts") << plain << "ko_KR"
                                      << QStringList{"-1", QStringLiteral("노래"), QStringLiteral("가수"), QStringLiteral("만든이"),
                                                     "o2ma1.ojm", "Ballad", "90", "0", "0", "0"} << false;
        QTest::newRow("32-byte texts") << plain << "C"
                                       << QStringList{"0", QString(32, 't'), QString(32, 'a'), QString(32, 'p'), QString(32, 'o'),
                                                      "Jazz", "0.5", "1", "2", "3"} << false;
        QTest::newRow("stored genre outside the list, none chosen") << ChartBuilder().genre(77).build() << "C"
                                                                    << QStringList{"1", "T", "A", "P", "O", "", "100", "1", "2", "3"} << false;
        QTest::newRow("BPM of eight digits, as shown") << ChartBuilder().bpm(16777215.0f).build() << "C"
                                                       << QStringList{"1", "T", "A", "P", "O", "Jazz", "1.677722E+07", "1", "2", "3"} << false;
        QTest::newRow("texts kept with their leftovers")
            << ChartBuilder().titleBytes(QByteArray("Same\0rest", 9)).artistBytes(QByteArray(32, 'Z')).ojmBytes(QByteArray(32, 'Z')).build()
            << "C" << QStringList{"9", "Same", QString(32, 'Z'), "", QString(32, 'Z'), "Funk", "0.5", "-32768", "32767", "0"} << false;
        QTest::newRow("new cover and thumbnail") << plain << "C"
                                                 << QStringList{"5", "T", "A", "P", "O", "Dance", "200", "4", "5", "6"} << true;
    }
    void setMatchesTheEditorsSave()
    {
        QFETCH(QByteArray, chart);
        QFETCH(QString, localeName);
        QFETCH(QStringList, texts);
        QFETCH(bool, newPictures);
        const QLocale locale(localeName);
        QLocale::setDefault(locale);
        OJN_SKIP_UNLESS_SYSTEM_CODE_PAGE_OF(locale);
        const QString cover = dir.filePath("cover.jpg");
        const QString thumbnail = dir.filePath("thumb.bmp");
        writeFile(cover, jpegBytes(QSize(64, 48), Qt::green));
        writeFile(thumbnail, bmpBytes(QSize(20, 10), Qt::yellow));
        const QString cliCopy = dir.filePath("cli.ojn");
        writeFile(cliCopy, chart);

        EditorFixture editor(chart);
        Form1 &window = editor.form;
        QLineEdit *const boxes[] = {window.IDBox, window.TitleBox, window.ArtistBox, window.PatternBox, window.OJMBox};
        for (int i = 0; i < 5; ++i)
            boxes[i]->setText(texts[i]);
        window.GenreBox->setCurrentIndex(genreValueOf(texts[5]));
        window.BPMBox->setText(texts[6]);
        window.ExBox->setText(texts[7]);
        window.NxBox->setText(texts[8]);
        window.HxBox->setText(texts[9]);
        if (newPictures) {
            editor.dialogs.fileNames << cover << thumbnail;
            window.BtnChangeFullImage->click();
            window.BtnSmallImage->click();
        }
        window.BtnSave->click();
        QCOMPARE(editor.dialogs.messages.size(), 1);
        QCOMPARE(editor.dialogs.messages.first().text, QStringLiteral("Successfully Save OJN File."));

        QStringList args{"--id", texts[0], "--title", texts[1], "--artist", texts[2], "--pattern", texts[3],
                         "--ojm", texts[4], "--bpm", texts[6], "--level-ex", texts[7], "--level-nx", texts[8], "--level-hx", texts[9]};
        if (!texts[5].isEmpty())
            args << "--genre" << texts[5];
        if (newPictures)
            args << "--cover" << cover << "--thumbnail" << thumbnail;
        const QString output = dir.filePath("output.ojn");
        CliRun run = runCli(QStringList{"set", cliCopy, "--output", output} + args, locale, ansiCodePageFor(locale));
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(readFile(output), editor.onDisk());
        QCOMPARE(readFile(cliCopy), chart);
        run = runCli(QStringList{"set", cliCopy} + args, locale, ansiCodePageFor(locale));
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(readFile(cliCopy), editor.onDisk());
    }
};

QTEST_MAIN(CliMatchesEditorTest)
#include "tst_cli_matches_editor.moc"
