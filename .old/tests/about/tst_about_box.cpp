#include "about/frmAbout.h"
#include "support/EditorFixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

namespace {

QImage squeezedCopy(const frmAbout &about)
{
    return about.picSNoSetMode->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void design_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("place"); // twips divided by 15
        QTest::newRow("lblTitle") << "lblTitle" << "OJN Tevrik Editor v1.2 [Packed Version]" << QRect(56, 8, 259, 16);
        QTest::newRow("lblDescription") << "lblDescription" << "" << QRect(56, 40, 259, 14);
        QTest::newRow("Label1") << "Label1" << "" << QRect(56, 88, 257, 17);
        QTest::newRow("cmdOK") << "cmdOK" << "OK" << QRect(8, 72, 44, 31);
        QTest::newRow("picSNoSetMode") << "picSNoSetMode" << "" << QRect(8, 8, 36, 36);
    }
    void design()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, place);
        frmAbout about(nullptr);
        QCOMPARE(about.windowTitle(), QString("About OJN Tevrik Editor"));
        QCOMPARE(about.minimumSize(), QSize(321, 111));
        QCOMPARE(about.maximumSize(), QSize(321, 111));
        QVERIFY(!(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(about.cmdOK->isDefault());
        QCOMPARE(about.focusWidget(), about.cmdOK);
        auto *control = about.findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), place);
        QCOMPARE(control->property("text").toString(), text);
    }

    void etchedSeparator()
    {
        frmAbout about(nullptr);
        const QImage shown = about.grab().toImage();
        const QColor grey(128, 128, 128), white(Qt::white);
        // White from 105 twips, grey over its top from 120, both to 4680, at 960.
        QCOMPARE(shown.pixelColor(7, 64), white);
        for (int x : {8, 150, 311}) {
            QCOMPARE(shown.pixelColor(x, 64), grey);
            QCOMPARE(shown.pixelColor(x, 65), white);
        }
        QVERIFY(shown.pixelColor(312, 64) != grey && shown.pixelColor(100, 63) != grey);
    }

    void squeezedCopyOfTheIcon()
    {
        frmAbout about(nullptr);
        // picOriginal's surface: the program icon on the box's background.
        const QColor background = about.palette().color(QPalette::Window);
        QImage icon(32, 32, QImage::Format_RGB32);
        icon.fill(background);
        QPainter(&icon).drawImage(0, 0, QImage(":/icons/ojn-tevrik-editor-32.png"));
        QVERIFY(icon.pixelColor(16, 16) != background);

        // Full width, half height: each row is one of a pair of the icon's
        // rows; around the squeezed icon lies background.
        const QImage copy = squeezedCopy(about);
        QCOMPARE(copy.size(), QSize(36, 36));
        for (int y = 0; y < 36; ++y) {
            for (int x = 0; x < 36; ++x) {
                const QColor got = copy.pixelColor(x, y);
                const bool ok = x < 32 && y < 16 ? got == icon.pixelColor(x, 2 * y) || got == icon.pixelColor(x, 2 * y + 1)
                                                 : got == background;
                if (!ok)
                    QFAIL(qPrintable(QString("pixel %1,%2 is %3").arg(x).arg(y).arg(got.name())));
            }
        }
        // And it is what the box shows there.
        QCOMPARE(about.grab().toImage().copy(8, 8, 36, 36).convertToFormat(QImage::Format_RGB32), copy);
    }

    void enterAndEscapeClose_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void enterAndEscapeClose()
    {
        QFETCH(int, key);
        QPointer<frmAbout> about = new frmAbout(nullptr);
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QTest::keyClick(about->focusWidget(), Qt::Key(key));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(about.isNull(), "closed and discarded");
    }

    void bothTriggersWithOrWithoutAChart_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<bool>("chartOpen");
        QTest::newRow("button, no chart") << false << false;
        QTest::newRow("menu, chart open") << true << true;
    }
    void bothTriggersWithOrWithoutAChart()
    {
        QFETCH(bool, fromMenu);
        QFETCH(bool, chartOpen);
        const auto fixture = chartOpen ? std::make_unique<EditorFixture>(ChartBuilder().build()) : std::make_unique<EditorFixture>();
        Form1 &form = fixture->form;
        ScriptedDialogs &dialogs = fixture->dialogs;
        if (chartOpen) {
            form.TitleBox->setText("Edited");
            QVERIFY(form.BtnSave->isEnabled() && form.InfoDirty);
        }
        const ChartRecord chart = form.Chart;
        const bool infoDirty = form.InfoDirty;

        QList<QPointer<frmAbout>> boxes;
        QList<QImage> copies;
        dialogs.onModal = [&](QDialog &window) {
            QCOMPARE(window.parentWidget(), &form);
            boxes << qobject_cast<frmAbout *>(&window);
            copies << squeezedCopy(*boxes.last());
            window.close();
        };
        for (int showing = 0; showing < 2; ++showing) {
            if (fromMenu)
                form.AboutMenuStrip->trigger();
            else
                QTest::mouseClick(form.BtnAbout, Qt::LeftButton);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }

        // Each showing builds its own box, discarded on closing, with the
        // copy made anew and alike.
        QCOMPARE(dialogs.modalWindows, QStringList(2, "frmAbout"));
        QVERIFY(boxes[0].isNull() && boxes[1].isNull());
        QCOMPARE(copies[0], copies[1]);
        QVERIFY(copies[0].pixelColor(16, 8) != copies[0].pixelColor(35, 35));

        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(form.InfoDirty, infoDirty);
        QVERIFY(!form.FullImageDirty && !form.SmallFrameDirty);
        QCOMPARE(form.Chart.ChartPath, chart.ChartPath);
        QCOMPARE(form.Chart.FullImageData, chart.FullImageData);
        QCOMPARE(form.Chart.SmallFrameData, chart.SmallFrameData);
    }
};

QTEST_MAIN(AboutBoxTest)
#include "tst_about_box.moc"
