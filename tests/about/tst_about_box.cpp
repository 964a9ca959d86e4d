#include "about/frmAbout.h"
#include "editor/Form1.h"
#include "support/ChartBuilder.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QLineEdit>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

namespace {

// picOriginal's surface as the copy reads it: the program icon on the
// box's background.
QImage iconOnBackground(QColor background)
{
    QImage surface(32, 32, QImage::Format_RGB32);
    surface.fill(background);
    QPainter painter(&surface);
    painter.drawImage(0, 0, QImage(":/icons/ojn-tevrik-editor-32.png"));
    return surface;
}

QImage squeezedCopy(const frmAbout &about)
{
    return about.picSNoSetMode->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void designedTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("place");
        // Twips divided by 15.
        QTest::newRow("lblTitle") << "lblTitle" << "OJN Tevrik Editor v1.2 [Packed Version]" << QRect(56, 8, 259, 16);
        QTest::newRow("lblDescription") << "lblDescription" << "" << QRect(56, 40, 259, 14);
        QTest::newRow("Label1") << "Label1" << "" << QRect(56, 88, 257, 17);
        QTest::newRow("cmdOK") << "cmdOK" << "OK" << QRect(8, 72, 44, 31);
        QTest::newRow("picOriginal") << "picOriginal" << "" << QRect(224, 24, 36, 68);
        QTest::newRow("picSNoSetMode") << "picSNoSetMode" << "" << QRect(8, 8, 36, 36);
    }
    void designedTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, place);
        frmAbout about(nullptr);
        QWidget *control = about.findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), place);
        if (auto *label = qobject_cast<QLabel *>(control))
            QCOMPARE(label->text(), text);
        else
            QCOMPARE(qobject_cast<QPushButton *>(control)->text(), text);
    }

    void boxDesign()
    {
        frmAbout about(nullptr);
        QCOMPARE(about.objectName(), QString("frmAbout"));
        QCOMPARE(about.windowTitle(), QString("About OJN Tevrik Editor"));
        QCOMPARE(about.size(), QSize(321, 111));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        const Qt::WindowFlags flags = about.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!about.windowIcon().isNull());
        QCOMPARE(about.picOriginal->pixmap().size(), QSize(32, 32));
        QVERIFY(!about.lblVersion->text().isEmpty());
        QVERIFY(!about.lblDisclaimer->text().isEmpty());
        for (QLabel *label : {about.lblTitle, about.lblDescription, about.lblDisclaimer})
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(about.cmdOK->isDefault());
        QCOMPARE(about.focusWidget(), about.cmdOK);
    }

    void etchedSeparator()
    {
        frmAbout about(nullptr);
        const QImage shown = about.grab().toImage();
        const QColor grey(128, 128, 128), white(Qt::white);
        // White from 105 twips, grey over it from 120, both to 4680, at 960.
        QCOMPARE(shown.pixelColor(7, 64), white);
        QCOMPARE(shown.pixelColor(7, 65), white);
        for (int x : {8, 100, 200, 311}) {
            QCOMPARE(shown.pixelColor(x, 64), grey);
            QCOMPARE(shown.pixelColor(x, 65), white);
        }
        QVERIFY(shown.pixelColor(312, 64) != grey);
        QVERIFY(shown.pixelColor(100, 63) != grey && shown.pixelColor(100, 66) != white);
    }

    void squeezedCopyOfTheIcon()
    {
        frmAbout about(nullptr);
        const QColor background = about.palette().color(QPalette::Window);
        const QImage icon = iconOnBackground(background);
        const QImage copy = squeezedCopy(about);
        QCOMPARE(copy.size(), QSize(36, 36));
        // Full width, half height: each row stands for one of a pair of the
        // source's rows; below the icon's 16 rows and right of its 32
        // columns lies the background around it.
        for (int y = 0; y < 36; ++y) {
            for (int x = 0; x < 36; ++x) {
                const QColor got = copy.pixelColor(x, y);
                const bool fromIcon = x < 32 && y < 16;
                const bool ok = fromIcon ? (got == icon.pixelColor(x, 2 * y) || got == icon.pixelColor(x, 2 * y + 1))
                                         : got == background;
                if (!ok)
                    QFAIL(qPrintable(QString("pixel %1,%2 is %3").arg(x).arg(y).arg(got.name())));
            }
        }
        // The icon is no single colour, so the comparison above can tell.
        QVERIFY(icon.pixelColor(16, 16) != background);

        // The copy is what the box shows at picSNoSetMode's place.
        const QImage shown = about.grab().toImage().copy(about.picSNoSetMode->geometry()).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, copy);
    }

    void enterAndEscapeClose_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void enterAndEscapeClose()
    {
        QFETCH(int, key);
        QPointer<frmAbout> about = new frmAbout(nullptr);
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QTest::keyClick(about->focusWidget(), Qt::Key(key));
        QVERIFY(!about || !about->isVisible());
        // Closing discards it.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull());
    }

    void bothTriggersWithOrWithoutAChart_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<bool>("chartOpen");
        QTest::newRow("button, no chart") << false << false;
        QTest::newRow("menu, no chart") << true << false;
        QTest::newRow("button, chart open") << false << true;
        QTest::newRow("menu, chart open") << true << true;
    }
    void bothTriggersWithOrWithoutAChart()
    {
        QFETCH(bool, fromMenu);
        QFETCH(bool, chartOpen);
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        QTemporaryDir dir;
        if (chartOpen) {
            dialogs.fileNames.enqueue(ChartBuilder().writeTo(dir.filePath("chart.ojn")));
            QTest::mouseClick(form.BtnBrowseOJN, Qt::LeftButton);
            QVERIFY(form.BtnSave->isEnabled());
            form.TitleBox->setText("Edited");
            QVERIFY(form.InfoDirty);
            dialogs.fileRequests.clear();
        }
        const bool infoDirty = form.InfoDirty, fullImageDirty = form.FullImageDirty, smallFrameDirty = form.SmallFrameDirty;
        const QString path = form.Chart.ChartPath;
        const QByteArray cover = form.Chart.FullImageData, thumbnail = form.Chart.SmallFrameData;
        const QImage picture = form.FullImagePicture;

        QList<QPointer<frmAbout>> boxes;
        QList<QImage> copies;
        dialogs.onModal = [&](QDialog &window) {
            auto *about = qobject_cast<frmAbout *>(&window);
            QVERIFY(about);
            QCOMPARE(window.parentWidget(), &form);
            boxes << about;
            copies << squeezedCopy(*about);
            window.close();
        };
        for (int showing = 0; showing < 2; ++showing) {
            if (fromMenu)
                form.AboutMenuStrip->trigger();
            else
                QTest::mouseClick(form.BtnAbout, Qt::LeftButton);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }

        QCOMPARE(dialogs.modalWindows, QStringList({"frmAbout", "frmAbout"}));
        // Each showing builds a box of its own, discarded when it closes,
        // with the copy made anew and alike.
        QCOMPARE(boxes.size(), 2);
        QVERIFY(boxes[0].isNull() && boxes[1].isNull());
        QCOMPARE(copies[0], copies[1]);
        QCOMPARE(copies[0], squeezedCopy(frmAbout(nullptr)));

        QVERIFY(dialogs.messages.isEmpty() && dialogs.fileRequests.isEmpty());
        QCOMPARE(form.InfoDirty, infoDirty);
        QCOMPARE(form.FullImageDirty, fullImageDirty);
        QCOMPARE(form.SmallFrameDirty, smallFrameDirty);
        QCOMPARE(form.Chart.ChartPath, path);
        QCOMPARE(form.Chart.FullImageData, cover);
        QCOMPARE(form.Chart.SmallFrameData, thumbnail);
        QCOMPARE(form.FullImagePicture, picture);
    }
};

QTEST_MAIN(AboutBoxTest)
#include "tst_about_box.moc"
