#include "pictures/PictureFile.h"
#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include "support/OrdinaryUser.h"

#include <sys/stat.h>
#endif

using namespace ojn;
using namespace ojn::test;

class PictureFileTest : public QObject {
    Q_OBJECT
private slots:
    void readsTheWholeFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::newRow("jpeg") << jpegBytes(QSize(800, 600), Qt::red) << QSize(800, 600);
        // The content decides, not the name (the file is called .jpg).
        QTest::newRow("bmp") << bmpBytes(QSize(79, 78), Qt::blue) << QSize(79, 78);
        QTest::newRow("trailing bytes kept") << jpegBytes(QSize(5, 5), Qt::white) + QByteArray("tail\0\1", 6) << QSize(5, 5);
    }
    void readsTheWholeFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QTemporaryDir dir;
        writeFile(dir.filePath("picture.jpg"), bytes);
        PictureFileContent content;
        const Result<> read = readPictureFile(dir.filePath("picture.jpg"), content);
        QVERIFY2(read.ok(), qPrintable(read.error()));
        QCOMPARE(content.bytes, bytes);
        QCOMPARE(content.picture.size(), size);
    }

    void refusesWhatIsNoPicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // null: not written
        QTest::addColumn<QString>("reason");
        // Each truly fails, even as root.
#ifdef Q_OS_WIN
        QTest::newRow("missing file") << "gone.jpg" << QByteArray() << "File not found.";
#else
        QTest::newRow("missing file") << "gone.jpg" << QByteArray() << "No such file or directory.";
#endif
        QTest::newRow("a folder") << "folder.jpg" << QByteArray() << "irectory";
        QTest::newRow("empty file") << "empty.jpg" << QByteArray("") << "the file is empty";
        QTest::newRow("text file") << "notes.jpg" << QByteArray("Title: my song\r\n") << "cannot be read as a picture";
        QTest::newRow("only a jpeg's start") << "cut.jpg" << jpegBytes(QSize(40, 30), Qt::red).left(20) << "cannot be read as a picture";
#ifdef Q_OS_UNIX
        QTest::newRow("endless device") << "/dev/zero" << QByteArray() << "not an ordinary file";
        // Opening a pipe with no writer would wait forever.
        QTest::newRow("named pipe") << "pipe.jpg" << QByteArray() << "not an ordinary file";
#endif
    }
    void refusesWhatIsNoPicture()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("folder.jpg");
#ifdef Q_OS_UNIX
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe.jpg")).constData(), 0644), 0);
#endif
        const QString path = name.startsWith('/') ? name : dir.filePath(name);
        if (!bytes.isNull())
            writeFile(path, bytes);

        const QByteArray held = bmpBytes(QSize(2, 2), Qt::yellow);
        PictureFileContent content{held, QImage::fromData(held)};
        const Result<> read = readPictureFile(path, content);
        QVERIFY(!read.ok());
        QVERIFY2(read.error().contains(QDir::toNativeSeparators(path)) && read.error().contains(reason), qPrintable(read.error()));
        QCOMPARE(content.bytes, held);
        QCOMPARE(content.picture.size(), QSize(2, 2));
    }

    void writesExactlyTheBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("existing");
        QTest::newRow("new file") << "cover.jpg" << QByteArray();
        QTest::newRow("over a larger file") << "cover.jpg" << QByteArray(100000, 'X');
        QTest::newRow("name without extension") << "cover" << QByteArray();
    }
    void writesExactlyTheBytes()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, existing);
        QTemporaryDir dir;
        if (!existing.isNull())
            writeFile(dir.filePath(name), existing);
        const QByteArray bytes = jpegBytes(QSize(20, 10), Qt::red);
        const Result<> written = writePictureFile(dir.filePath(name), bytes);
        QVERIFY2(written.ok(), qPrintable(written.error()));
        QCOMPARE(readFile(dir.filePath(name)), bytes);
        QCOMPARE(entriesOf(dir.path()), QStringList{name});
    }

#ifdef Q_OS_UNIX
    // As root permission bits stop nothing, so these run in a helper
    // process as an ordinary user. (Windows has no attribute that stops
    // reading; the shared safe writer's failure there is tested with the
    // chart files.)
    void failsForAnOrdinaryUser_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("reading a private file") << "read";
        QTest::newRow("writing into a locked folder") << "write";
    }
    void failsForAnOrdinaryUser()
    {
        QFETCH(QString, command);
        QTemporaryDir dir;
        // The ordinary user may enter the folder, but not write in it.
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        const QString target = dir.filePath("cover.jpg");
        const QByteArray old(5000, 'O');
        writeFile(target, old);
        QFile::setPermissions(target, command == "read" ? QFile::ReadOwner | QFile::WriteOwner : QFile::ReadOther | QFile::WriteOther);
        const QString source = dir.filePath("source.jpg");
        writeFile(source, jpegBytes(QSize(4, 4), Qt::red));
        QFile::setPermissions(source, QFile::ReadOwner | QFile::ReadOther);

        QStringList arguments{QStringLiteral(PICTURE_FILE_HELPER), command, target, source};
        if (command == "read")
            arguments.removeLast();
        QProcess helper;
        startAsOrdinaryUser(helper, arguments.takeFirst(), arguments);
        QVERIFY(helper.waitForFinished(30000));
        const QString message = QString::fromLocal8Bit(helper.readAllStandardOutput() + helper.readAllStandardError());
        QCOMPARE(helper.exitCode(), 1);
        QVERIFY2(message.contains(target) && message.contains("Permission denied"), qPrintable(message));
        QCOMPARE(readFile(target), old);
        QCOMPARE(entriesOf(dir.path()).size(), 2);
    }
#endif
};

QTEST_MAIN(PictureFileTest)
#include "tst_picture_file.moc"
