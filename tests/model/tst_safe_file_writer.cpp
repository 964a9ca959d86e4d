#include "model/SafeFileWriter.h"
#include "support/ChartBuilder.h"

#include <QDir>
#include <QIODevice>
#include <QTemporaryDir>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

namespace {

ContentWriter writes(const QByteArray &bytes)
{
    return [bytes](QIODevice &device) {
        return device.write(bytes) == bytes.size() ? Outcome::success() : Outcome::failure(device.errorString());
    };
}

QStringList entries(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class SafeFileWriterTest : public QObject {
    Q_OBJECT
private slots:
    void createsAndReplacesWholeFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ojn");
        QVERIFY2(writeFileSafely(path, writes("first")).ok(), "new file");
        QCOMPARE(readFile(path), QByteArray("first"));

        writeFile(path, QByteArray(10000, 'L'));
        QVERIFY2(writeFileSafely(path, writes("short")).ok(), "replace");
        QCOMPARE(readFile(path), QByteArray("short"));
        QCOMPARE(entries(dir), QStringList{"chart.ojn"});
    }

    void failedContentLeavesTheTargetAsItWas()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ojn");
        writeFile(path, "precious chart");
        const Outcome outcome = writeFileSafely(path, [](QIODevice &device) {
            device.write("half of a new chart");
            return Outcome::failure("No space left on device");
        });
        QVERIFY(!outcome.ok());
        QVERIFY2(outcome.error().contains("No space left on device"), qPrintable(outcome.error()));
        QVERIFY2(outcome.error().contains(QDir::toNativeSeparators(path)), qPrintable(outcome.error()));
        QCOMPARE(readFile(path), QByteArray("precious chart"));
        QCOMPARE(entries(dir), QStringList{"chart.ojn"});
    }

    void unusableTargetsAreRefused_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<QString>("description");
        QTest::newRow("a folder") << "folder" << "it is a folder";
        QTest::newRow("folder gone") << "gone/chart.ojn" << "does not exist";
    }
    void unusableTargetsAreRefused()
    {
        QFETCH(QString, relativePath);
        QFETCH(QString, description);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("folder");
        const Outcome outcome = writeFileSafely(dir.filePath(relativePath), writes("x"));
        QVERIFY(!outcome.ok());
        QVERIFY2(outcome.error().contains(description), qPrintable(outcome.error()));
        QVERIFY(entries(dir).isEmpty());
    }
};

QTEST_MAIN(SafeFileWriterTest)
#include "tst_safe_file_writer.moc"
