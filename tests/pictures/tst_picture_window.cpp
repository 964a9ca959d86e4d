#include "pictures/PictureWindow.h"

#include <QTest>
#include <QWidget>

#include <memory>

using namespace ojn;

namespace {

std::unique_ptr<PictureWindow> makeWindow(const QString &name, QWidget *owner)
{
    if (name == "LoadingFrameForm")
        return std::make_unique<LoadingFrameForm>(owner);
    return std::make_unique<ThumbnailFrameForm>(owner);
}

// A picture of one colour with a 2 x 2 mark of another at `mark`, so a
// grab shows whether it was drawn unscaled and where.
QImage markedPicture(QSize size, QPoint mark)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int dx = 0; dx < 2; ++dx)
        for (int dy = 0; dy < 2; ++dy)
            picture.setPixelColor(mark + QPoint(dx, dy), Qt::green);
    return picture;
}

} // namespace

class PictureWindowTest : public QObject {
    Q_OBJECT
private slots:
    void fixedToolWindows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("clientSize");
        QTest::newRow("cover") << "LoadingFrameForm" << "Loading Frame" << QSize(800, 593);
        QTest::newRow("thumbnail") << "ThumbnailFrameForm" << "Thumbnail" << QSize(79, 78);
    }
    void fixedToolWindows()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QSize, clientSize);
        QWidget owner;
        const auto window = makeWindow(name, &owner);
        QCOMPARE(window->objectName(), name);
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(window->size(), clientSize);
        QCOMPARE(window->minimumSize(), clientSize);
        QCOMPARE(window->maximumSize(), clientSize);
        QCOMPARE(window->parentWidget(), &owner);
        QVERIFY(window->isModal());

        // A tool window (no taskbar button) whose title bar has a close box only.
        const Qt::WindowFlags flags = window->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(flags & Qt::CustomizeWindowHint);
        for (Qt::WindowType absent : {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint,
                                      Qt::WindowContextHelpButtonHint})
            QVERIFY2(!(flags & absent), qPrintable(QString::number(absent, 16)));

        // A picture of any size leaves the window as it is.
        window->setPicture(QImage(QSize(1024, 768), QImage::Format_RGB32));
        QCOMPARE(window->size(), clientSize);
    }

    void drawsThePictureUnscaledAtTheTopLeft_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<QPoint>("mark");
        // The mark's lower right pixel sits on the last visible pixel, the
        // rest of the picture beyond the client area is cut off.
        QTest::newRow("cover larger than its window")
            << "LoadingFrameForm" << markedPicture(QSize(1000, 700), QPoint(798, 591)) << QPoint(798, 591);
        QTest::newRow("thumbnail larger than its window")
            << "ThumbnailFrameForm" << markedPicture(QSize(200, 90), QPoint(77, 76)) << QPoint(77, 76);
        QTest::newRow("thumbnail smaller than its window")
            << "ThumbnailFrameForm" << markedPicture(QSize(40, 30), QPoint(38, 28)) << QPoint(38, 28);
        QTest::newRow("cover smaller than its window")
            << "LoadingFrameForm" << markedPicture(QSize(16, 12), QPoint(0, 0)) << QPoint(0, 0);
        QTest::newRow("no picture") << "LoadingFrameForm" << QImage() << QPoint(-1, -1);
    }
    void drawsThePictureUnscaledAtTheTopLeft()
    {
        QFETCH(QString, name);
        QFETCH(QImage, picture);
        QFETCH(QPoint, mark);
        QWidget owner;
        const auto window = makeWindow(name, &owner);
        window->setPicture(picture);
        QCOMPARE(window->picture(), picture);

        const QImage shown = window->grab().toImage();
        QCOMPARE(shown.size(), window->size());
        const QColor background = window->palette().color(QPalette::Window);
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                QColor expected = background;
                if (x < picture.width() && y < picture.height())
                    expected = picture.pixelColor(x, y);
                if (shown.pixelColor(x, y) != expected)
                    QFAIL(qPrintable(QString("pixel %1,%2 is %3, not %4 (mark at %5,%6)")
                                         .arg(x).arg(y).arg(shown.pixelColor(x, y).name(), expected.name())
                                         .arg(mark.x()).arg(mark.y())));
            }
        }
    }
};

QTEST_MAIN(PictureWindowTest)
#include "tst_picture_window.moc"
