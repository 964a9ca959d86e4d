#include "dialogs/WidgetDialogs.h"
#include "support/EditorFixture.h"
#include "support/TestPictures.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace ojn;
using namespace ojn::test;

namespace {

enum Change { EditTitle, ReplaceCover, ReplaceThumbnail };

void makeChange(Form1 &form, int change)
{
    switch (change) {
    case EditTitle:
        form.TitleBox->setText("Changed before closing");
        break;
    case ReplaceCover:
        form.Chart.FullImageData = jpegBytes(QSize(40, 30), Qt::red);
        form.FullImageDirty = true;
        break;
    case ReplaceThumbnail:
        form.Chart.SmallFrameData = bmpBytes(QSize(7, 5), Qt::blue);
        form.SmallFrameDirty = true;
        break;
    }
}

} // namespace

class CloseHandlingTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void nothingUnsavedEndsWithoutAQuestion_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("nothing open") << "start-up";
        QTest::newRow("chart opened, unchanged") << "open";
        QTest::newRow("edited, then saved") << "save";
        QTest::newRow("edited, then saved as") << "save as";
    }
    void nothingUnsavedEndsWithoutAQuestion()
    {
        QFETCH(QString, before);
        const auto fixture = before == QLatin1String("start-up") ? std::make_unique<EditorFixture>()
                                                                 : std::make_unique<EditorFixture>(ChartBuilder().build());
        EditorFixture &session = *fixture;
        if (before == QLatin1String("save") || before == QLatin1String("save as")) {
            session.form.TitleBox->setText("Saved");
            session.dialogs.fileNames.enqueue(session.file("other.ojn"));
            (before == QLatin1String("save") ? session.form.BtnSave : session.form.BtnSaveAs)->click();
            session.dialogs.messages.clear();
        }
        const QByteArray onDisk = session.onDisk();

        QVERIFY(session.form.close());
        QVERIFY(session.dialogs.messages.isEmpty());
        QCOMPARE(session.dialogs.endProgramCalls, 1);
        QCOMPARE(session.onDisk(), onDisk);
    }

    void answerNoEndsAndWritesNothing()
    {
        EditorFixture session(ChartBuilder().build());
        makeChange(session.form, EditTitle);
        session.dialogs.answers.enqueue(MessageAnswer::No);

        QVERIFY(session.form.close());
        QCOMPARE(session.dialogs.messages.size(), 1);
        QVERIFY(session.dialogs.messages[0].isSaveQuestion());
        QCOMPARE(session.dialogs.endProgramCalls, 1);
        QCOMPARE(session.onDisk(), session.original);
        QCOMPARE(session.entries(), QStringList{"chart.ojn"});
    }

    void answerYesSavesThenEnds_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("title edited") << int(EditTitle);
        QTest::newRow("only the cover replaced") << int(ReplaceCover);
        QTest::newRow("only the thumbnail replaced") << int(ReplaceThumbnail);
    }
    void answerYesSavesThenEnds()
    {
        QFETCH(int, change);
        EditorFixture session(ChartBuilder().build());
        makeChange(session.form, change);
        session.dialogs.answers.enqueue(MessageAnswer::Yes);
        bool controlsOffDuringMessage = false;
        bool flagsClearDuringMessage = false;
        session.dialogs.onMessage = [&](const ScriptedDialogs::Message &m) {
            if (m.caption == QLatin1String("Info")) {
                controlsOffDuringMessage = controlsNotEnabled(session.form, false).isEmpty();
                flagsClearDuringMessage = !session.form.InfoDirty && !session.form.FullImageDirty
                    && !session.form.SmallFrameDirty;
                QCOMPARE(session.dialogs.endProgramCalls, 0);
            }
        };

        QVERIFY(session.form.close());
        QCOMPARE(session.dialogs.messages.size(), 2);
        QVERIFY(session.dialogs.messages[0].isSaveQuestion());
        QCOMPARE(session.dialogs.messages[1].text, QString("Successfully Save OJN File."));
        QCOMPARE(session.dialogs.messages[1].icon, MessageIcon::Information);
        QVERIFY(controlsOffDuringMessage);
        QVERIFY(flagsClearDuringMessage);
        QCOMPARE(session.dialogs.endProgramCalls, 1);

        // The same bytes a Save of the same edits gives.
        EditorFixture reference(session.original);
        makeChange(reference.form, change);
        reference.form.BtnSave->click();
        QCOMPARE(session.onDisk(), reference.onDisk());
        QVERIFY(session.onDisk() != session.original);
    }

    void yesAfterSaveAsWritesTheChosenFile()
    {
        EditorFixture session(ChartBuilder().build());
        const QString other = session.file("other.ojn");
        session.dialogs.fileNames.enqueue(other);
        session.form.BtnSaveAs->click();
        const QByteArray savedAs = readFile(other);
        makeChange(session.form, EditTitle);
        session.dialogs.answers.enqueue(MessageAnswer::Yes);

        QVERIFY(session.form.close());
        QCOMPARE(session.onDisk(), session.original);
        QVERIFY(readFile(other) != savedAs);
        QCOMPARE(readFile(other).mid(108, 22), QByteArray("Changed before closing"));
    }

    // The real question box, answered from the keyboard.
    void questionAnsweredByKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("Y") << int(Qt::Key_Y) << int(MessageAnswer::Yes);
        QTest::newRow("N") << int(Qt::Key_N) << int(MessageAnswer::No);
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(MessageAnswer::No);
    }
    void questionAnsweredByKeys()
    {
        QFETCH(int, key);
        QFETCH(int, answer);
        bool stuck = false;
        QTimer::singleShot(0, [&] {
            QWidget *box = QApplication::activeModalWidget();
            QTimer::singleShot(5000, box, [&stuck, box] { stuck = true; box->close(); });
            QVERIFY(QTest::qWaitForWindowActive(box));
            QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key(key)); // where typing goes
        });
        const MessageAnswer given = WidgetDialogs().showMessage(nullptr, "Data is not Saved yet. Do you want to save?", "Save",
                                                                MessageIcon::Question, MessageButtons::YesNo);
        QVERIFY2(!stuck, "the key left the question open");
        QCOMPARE(int(given), answer);
    }

    void exitNeverAsks()
    {
        EditorFixture session(ChartBuilder().build());
        makeChange(session.form, EditTitle);
        makeChange(session.form, ReplaceCover);
        session.form.ExitMenuStrip->trigger();
        QVERIFY(session.dialogs.messages.isEmpty());
        QCOMPARE(session.dialogs.endProgramCalls, 1);
        QCOMPARE(session.onDisk(), session.original);
    }

    void failedSaveOnClosingKeepsTheProgramRunning_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("expectedInMessage");
        QTest::newRow("title too long") << "long title" << "Title";
        QTest::newRow("chart file replaced by a folder") << "folder" << "it is a folder";
        QTest::newRow("chart's folder gone") << "folder gone" << "does not exist";
    }
    void failedSaveOnClosingKeepsTheProgramRunning()
    {
        QFETCH(QString, failure);
        QFETCH(QString, expectedInMessage);
        QTemporaryDir elsewhere;
        EditorFixture session(ChartBuilder().build());
        makeChange(session.form, ReplaceCover);
        const QString title = failure == QLatin1String("long title") ? QString(40, 'L') : QString("Kept edit");
        session.form.TitleBox->setText(title);
        if (failure == QLatin1String("folder")) {
            QVERIFY(QFile::remove(session.path));
            QVERIFY(QDir().mkdir(session.path));
        } else if (failure == QLatin1String("folder gone")) {
            QVERIFY(QDir(session.dir.path()).removeRecursively());
        }
        const ChartRecord held = session.form.Chart;
        session.dialogs.answers.enqueue(MessageAnswer::Yes);

        QVERIFY(!session.form.close());
        QCOMPARE(session.dialogs.endProgramCalls, 0);
        QCOMPARE(session.dialogs.messages.size(), 2);
        QVERIFY(session.dialogs.messages[0].isSaveQuestion());
        QCOMPARE(session.dialogs.messages[1].caption, QString("Error"));
        QCOMPARE(session.dialogs.messages[1].icon, MessageIcon::Critical);
        for (const QString &part : {expectedInMessage, QDir::toNativeSeparators(session.path), QStringLiteral("Save As")})
            QVERIFY2(session.dialogs.messages[1].text.contains(part), qPrintable(session.dialogs.messages[1].text));
        if (failure == QLatin1String("long title"))
            QCOMPARE(session.onDisk(), session.original);

        // Everything is still there and usable.
        QCOMPARE(controlsNotEnabled(session.form, true), QStringList());
        QVERIFY(session.form.InfoDirty && session.form.FullImageDirty);
        QCOMPARE(session.form.TitleBox->text(), title);
        QCOMPARE(session.form.Chart.FullImageData, held.FullImageData);
        QCOMPARE(session.form.Chart.Title, held.Title);
        QCOMPARE(session.form.Chart.ChartPath, session.path);

        // So the chart can still go elsewhere, and then the program ends.
        session.form.TitleBox->setText("Kept edit");
        const QString rescue = elsewhere.filePath("rescued.ojn");
        session.dialogs.fileNames.enqueue(rescue);
        session.form.BtnSaveAs->click();
        QCOMPARE(session.dialogs.messages.last().text, QString("Successfully Save OJN File."));
        const QByteArray rescued = readFile(rescue);
        QCOMPARE(rescued.mid(108, 10), QByteArray("Kept edit\0", 10));
        QCOMPARE(rescued.mid(int32At(rescued, 296), int32At(rescued, 268)), held.FullImageData);
        QVERIFY(session.form.close());
        QCOMPARE(session.dialogs.endProgramCalls, 1);
    }
};

QTEST_MAIN(CloseHandlingTest)
#include "tst_close_handling.moc"
