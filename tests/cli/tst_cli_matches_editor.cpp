// ojn-header against the real main window: what it shows is what the
// editor's boxes show after opening the same chart.
#include "CliRunner.h"
#include "editor/Form1.h"
#include "support/ChartBuilder.h"
#include "support/ScriptedDialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QStringEncoder>
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
        QStringEncoder korean("windows-949");
        QTest::newRow("plain") << ChartBuilder().build() << "C";
        QTest::newRow("negative numbers") << ChartBuilder().songId(-99).levels(-1, -32768, 32767).noteCounts(-5, 0, 2147483647).build()
                                          << "C";
        QTest::newRow("fractional BPM in German") << ChartBuilder().bpm(133.3333f).genre(0).build() << "de_DE";
        QTest::newRow("huge BPM") << ChartBuilder().bpm(3.4e38f).build() << "C";
        QTest::newRow("Korean texts")
            << ChartBuilder().titleBytes(QByteArray(korean.encode(QStringLiteral("제목"))) + QByteArray(1, '\0'))
                   .artistBytes(QByteArray(korean.encode(QStringLiteral("가수"))) + QByteArray(1, '\0')).genre(10).build()
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
        const QString path = dir.filePath("chart.ojn");
        writeFile(path, chart);

        ScriptedDialogs dialogs;
        Form1 window(dialogs);
        dialogs.fileNames.enqueue(path);
        window.openChart();
        QVERIFY(dialogs.messages.isEmpty());

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
        ScriptedDialogs dialogs;
        Form1 window(dialogs);
        dialogs.fileNames.enqueue(path);
        window.openChart();
        QCOMPARE(dialogs.messages.size(), 1);

        const CliRun run = runCli({"show", path});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(dialogs.messages.first().text), qPrintable(run.err));
    }
};

QTEST_MAIN(CliMatchesEditorTest)
#include "tst_cli_matches_editor.moc"
