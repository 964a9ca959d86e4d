#include "pictures/PictureFile.h"
#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace ojn;
using namespace ojn::test;

namespace {

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

struct HelperRun {
    int exitCode = -1;
    QString message;
};

// Runs the helper as an ordinary user, for whom permission bits count (as
// root they stop nothing).
HelperRun runAsOrdinaryUser(const QStringList &arguments)
{
    QProcess process;
    if (::geteuid() == 0)
        process.start(QStringLiteral("setpriv"), QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                                             QStringLiteral(PICTURE_FILE_HELPER)} + arguments);
    else
        process.start(QStringLiteral(PICTURE_FILE_HELPER), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput())};
}

// Lets the ordinary user reach `folder`, and reach and write into it when
// `writable`.
void openUp(const QString &folder, bool writable)
{
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                      | QFile::ExeOther | (writable ? QFile::WriteOther : QFile::Permissions()));
}

} // namespace

class PictureFileTest : public QObject {
    Q_OBJECT
private slots:
    void readsTheWholeFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::newRow("jpeg") << jpegBytes(QSize(800, 600), Qt::red) << QSize(800, 600);
        QTest::newRow("bmp") << bmpBytes(QSize(79, 78), Qt::blue) << QSize(79, 78);
        // The content decides, not the name: a BMP under a .jpg name.
        QTest::newRow("bmp named .jpg") << bmpBytes(QSize(3, 2), Qt::green) << QSize(3, 2);
        // Bytes after the picture's end are part of the file, so they stay.
        QTest::newRow("jpeg with trailing bytes") << jpegBytes(QSize(5, 5), Qt::white) + QByteArray("tail\0\1", 6)
                                                  << QSize(5, 5);
    }
    void readsTheWholeFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QTemporaryDir dir;
        const QString path = dir.filePath("picture.jpg");
        writeFile(path, bytes);

        PictureFileContent content;
        const Outcome read = readPictureFile(path, content);
        QVERIFY2(read.ok(), qPrintable(read.error()));
        QCOMPARE(content.bytes, bytes);
        QCOMPARE(content.picture.size(), size);
        QCOMPARE(readFile(path), bytes);
    }

    void refusesWhatIsNoPicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        // Each path truly fails, even as root.
        QTest::newRow("missing file") << "gone.jpg" << QByteArray() << "No such file";
        QTest::newRow("a folder") << "folder.jpg" << QByteArray() << "irectory";
        QTest::newRow("empty file") << "empty.jpg" << QByteArray("") << "the file is empty";
        QTest::newRow("text file") << "notes.jpg" << QByteArray("Title: my song\r\nBPM: 120\r\n") << "not a picture";
        QTest::newRow("zero bytes") << "zeros.bmp" << QByteArray(500, '\0') << "not a picture";
        QTest::newRow("only a jpeg's start") << "cut.jpg" << jpegBytes(QSize(40, 30), Qt::red).left(20) << "not a picture";
        QTest::newRow("endless device") << "/dev/zero" << QByteArray() << "not an ordinary file";
    }
    void refusesWhatIsNoPicture()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("folder.jpg");
        const QString path = name.startsWith('/') ? name : dir.filePath(name);
        if (!bytes.isNull())
            writeFile(path, bytes);

        const QByteArray heldBytes = bmpBytes(QSize(2, 2), Qt::yellow);
        PictureFileContent content{heldBytes, QImage::fromData(heldBytes)};
        const Outcome read = readPictureFile(path, content);
        QVERIFY(!read.ok());
        QVERIFY2(read.error().contains(QDir::toNativeSeparators(path)), qPrintable(read.error()));
        QVERIFY2(read.error().contains(reason), qPrintable(read.error()));
        QCOMPARE(content.bytes, heldBytes);
        QCOMPARE(content.picture.size(), QSize(2, 2));
    }

    void refusesAFileTheUserMayNotRead()
    {
        QTemporaryDir dir;
        openUp(dir.path(), false);
        const QString path = dir.filePath("private.jpg");
        writeFile(path, jpegBytes(QSize(4, 4), Qt::red));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

        const HelperRun run = runAsOrdinaryUser({"read", path});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.message.contains(path) && run.message.contains("Permission denied"), qPrintable(run.message));
    }

    void writesExactlyTheBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray jpeg = jpegBytes(QSize(20, 10), Qt::red);
        QTest::newRow("new file") << "cover.jpg" << QByteArray() << jpeg;
        QTest::newRow("over a larger file") << "cover.jpg" << QByteArray(100000, 'X') << jpeg;
        QTest::newRow("over a smaller file") << "cover.jpg" << QByteArray("old") << jpeg;
        QTest::newRow("name without extension") << "cover" << QByteArray() << jpeg;
        QTest::newRow("cover under a .bmp name") << "cover.bmp" << QByteArray() << jpeg;
        QTest::newRow("empty picture") << "none.bmp" << QByteArray("old bytes") << QByteArray("");
    }
    void writesExactlyTheBytes()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, existing);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (!existing.isNull())
            writeFile(path, existing);

        const Outcome written = writePictureFile(path, bytes);
        QVERIFY2(written.ok(), qPrintable(written.error()));
        QCOMPARE(readFile(path), bytes);
        QCOMPARE(entries(dir.path()), QStringList{name});
    }

    void failedWriteLeavesTheOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder") << "folder" << "it is a folder";
        QTest::newRow("missing folder") << "gone/cover.jpg" << "does not exist";
    }
    void failedWriteLeavesTheOldFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("folder");
        const Outcome written = writePictureFile(dir.filePath(name), "picture");
        QVERIFY(!written.ok());
        QVERIFY2(written.error().contains(reason), qPrintable(written.error()));
        QVERIFY(entries(dir.path()).isEmpty());
        QVERIFY(QFileInfo(dir.filePath("folder")).isDir());
    }

    void failedWriteInALockedFolderLeavesTheOldFile()
    {
        QTemporaryDir dir;
        openUp(dir.path(), false);
        const QString target = dir.filePath("cover.jpg");
        const QByteArray old(5000, 'O');
        writeFile(target, old);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
        QTemporaryDir sourceDir;
        openUp(sourceDir.path(), false);
        const QString source = sourceDir.filePath("new.jpg");
        writeFile(source, jpegBytes(QSize(4, 4), Qt::red));
        QFile::setPermissions(source, QFile::ReadOwner | QFile::ReadOther);

        const HelperRun run = runAsOrdinaryUser({"write", target, source});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.message.contains(target) && run.message.contains("Permission denied"), qPrintable(run.message));
        QCOMPARE(readFile(target), old);
        QCOMPARE(entries(dir.path()), QStringList{"cover.jpg"});
    }
};

QTEST_MAIN(PictureFileTest)
#include "tst_picture_file.moc"
