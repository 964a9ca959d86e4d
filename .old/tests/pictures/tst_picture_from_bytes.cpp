#include "pictures/PictureFromByteStream.h"
#include "support/TestPictures.h"

#include <QTest>

using namespace ojn;
using namespace ojn::test;

class PictureFromBytesTest : public QObject {
    Q_OBJECT
private slots:
    void decodes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::newRow("jpeg") << jpegBytes(QSize(40, 30), Qt::red) << QSize(40, 30);
        QTest::newRow("bmp") << bmpBytes(QSize(79, 78), Qt::blue) << QSize(79, 78);
        QTest::newRow("empty") << QByteArray() << QSize();
        QTest::newRow("all zero") << QByteArray(500, '\0') << QSize();
        QTest::newRow("cut-off jpeg header") << jpegBytes(QSize(40, 30), Qt::red).left(20) << QSize();
    }
    void decodes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        const Picture picture = PictureFromByteStream(bytes);
        QCOMPARE(picture.isNull(), !size.isValid());
        if (size.isValid())
            QCOMPARE(picture.size(), size);
    }

    void pictureIsIndependentOfItsBuffer()
    {
        QByteArray bytes = bmpBytes(QSize(4, 4), Qt::white);
        const Picture first = PictureFromByteStream(bytes);
        Picture second = PictureFromByteStream(bytes);
        bytes.fill('\0');
        second.fill(Qt::black);
        QCOMPARE(first.pixelColor(0, 0), QColor(Qt::white));
    }
};

QTEST_MAIN(PictureFromBytesTest)
#include "tst_picture_from_bytes.moc"
