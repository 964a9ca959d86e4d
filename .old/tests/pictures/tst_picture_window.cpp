#include "pictures/PictureWindow.h"

#include <QTest>

using namespace ojn;

class PictureWindowTest : public QObject {
    Q_OBJECT
private slots:
    void fixedToolWindows_data()
    {
        QTest::addColumn<bool>("cover");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("clientSize");
        QTest::newRow("cover") << true << "LoadingFrameForm" << "Loading Frame" << QSize(800, 593);
        QTest::newRow("thumbnail") << false << "ThumbnailFrameForm" << "Thumbnail" << QSize(79, 78);
    }
    void fixedToolWindows()
    {
        QFETCH(bool, cover);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QSize, clientSize);
        QWidget owner;
        PictureWindow *window = cover ? static_cast<PictureWindow *>(new LoadingFrameForm(&owner)) : new ThumbnailFrameForm(&owner);
        QCOMPARE(window->objectName(), name);
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(window->parentWidget(), &owner);
        QVERIFY(window->isModal());
        // A tool window (no taskbar button) with a close box only.
        const Qt::WindowFlags flags = window->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint)));
        // Fixed, whatever the picture's size.
        window->setPicture(QImage(QSize(1024, 768), QImage::Format_RGB32));
        QCOMPARE(window->minimumSize(), clientSize);
        QCOMPARE(window->maximumSize(), clientSize);
        QCOMPARE(window->size(), clientSize);
        // Esc closes it as its close box does.
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    void drawsThePictureUnscaledAtTheTopLeft_data()
    {
        QTest::addColumn<bool>("cover");
        QTest::addColumn<QSize>("pictureSize");
        QTest::newRow("cover larger than its window") << true << QSize(1000, 700);
        QTest::newRow("thumbnail larger than its window") << false << QSize(200, 90);
        QTest::newRow("thumbnail smaller than its window") << false << QSize(40, 30);
        QTest::newRow("no picture") << true << QSize();
    }
    void drawsThePictureUnscaledAtTheTopLeft()
    {
        QFETCH(bool, cover);
        QFETCH(QSize, pictureSize);
        // Red with a green mark ending on the window's last pixel (or the
        // picture's own), so scaling or an offset shows.
        QImage picture;
        if (pictureSize.isValid()) {
            picture = QImage(pictureSize, QImage::Format_RGB32);
            picture.fill(Qt::red);
            const QPoint last(qMin(pictureSize.width(), cover ? 800 : 79) - 1, qMin(pictureSize.height(), cover ? 593 : 78) - 1);
            for (const QPoint mark : {last, last - QPoint(1, 0), last - QPoint(0, 1), last - QPoint(1, 1)})
                picture.setPixelColor(mark, Qt::green);
        }
        QWidget owner;
        PictureWindow *window = cover ? static_cast<PictureWindow *>(new LoadingFrameForm(&owner)) : new ThumbnailFrameForm(&owner);
        window->setPicture(picture);

        const QImage shown = window->grab().toImage();
        QCOMPARE(shown.size(), window->size());
        const QColor background = window->palette().color(QPalette::Window);
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QColor expected = picture.rect().contains(x, y) ? picture.pixelColor(x, y) : background;
                if (shown.pixelColor(x, y) != expected)
                    QFAIL(qPrintable(QString("pixel %1,%2 is %3, not %4").arg(x).arg(y).arg(shown.pixelColor(x, y).name(), expected.name())));
            }
        }
    }
};

QTEST_MAIN(PictureWindowTest)
#include "tst_picture_window.moc"
