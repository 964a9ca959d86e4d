#include "fileio/SafeFileWriter.h"
#include "support/ChartBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

namespace {

ContentWriter writes(const QByteArray &bytes)
{
    return [bytes](QIODevice &device) {
        return device.write(bytes) == bytes.size() ? Result<>::success() : Result<>::failure(device.errorString());
    };
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
        QCOMPARE(entriesOf(dir.path()), QStringList{"chart.ojn"});
    }

    void failedContentLeavesTheTargetAsItWas()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ojn");
        writeFile(path, "precious chart");
        const Result<> outcome = writeFileSafely(path, [](QIODevice &device) {
            device.write("half of a new chart");
            return Result<>::failure("No space left on device");
        });
        QVERIFY(!outcome.ok());
        QVERIFY2(outcome.error().contains("No space left on device"), qPrintable(outcome.error()));
        QVERIFY2(outcome.error().contains(QDir::toNativeSeparators(path)), qPrintable(outcome.error()));
        QCOMPARE(readFile(path), QByteArray("precious chart"));
        QCOMPARE(entriesOf(dir.path()), QStringList{"chart.ojn"});
    }

    void unusableTargetsAreRefused_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<QStringList>("description");
        QTest::newRow("a folder") << "folder" << QStringList{"it is a folder"};
        QTest::newRow("folder gone") << "gone/chart.ojn" << QStringList{"does not exist"};
#ifndef Q_OS_WIN // there QFile::link makes a shortcut, an ordinary file
        QTest::newRow("a link to a folder") << "to folder" << QStringList{"it is a folder"};
        QTest::newRow("a link to nothing") << "to nowhere" << QStringList{"/to nowhere points to", "/nowhere, which does not exist"};
        QTest::newRow("a link to a link to nothing") << "to to nowhere" << QStringList{"/to nowhere points to", "/nowhere, which does not exist"};
        QTest::newRow("a loop of links") << "round" << QStringList{"round leads round a loop of links"};
#endif
    }
    void unusableTargetsAreRefused()
    {
        QFETCH(QString, relativePath);
        QFETCH(QStringList, description);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("folder");
        // Each link and the name it points to, for the rows that use links.
        const QStringList links{"to folder", "folder", "to nowhere", "nowhere", "to to nowhere", "to nowhere", "round", "back", "back", "round"};
        const bool linked = relativePath.startsWith("to ") || relativePath == "round";
        for (qsizetype i = 0; linked && i < links.size(); i += 2)
            QVERIFY(QFile::link(links[i + 1], dir.filePath(links[i])));
        const Result<> outcome = writeFileSafely(dir.filePath(relativePath), writes("x"));
        QVERIFY(!outcome.ok());
        for (const QString &part : description)
            QVERIFY2(outcome.error().contains(part), qPrintable(outcome.error()));
        QCOMPARE(entriesOf(dir.path()).size(), linked ? 6 : 1); // the folder and the links: nothing new
        QVERIFY(QFileInfo(dir.filePath("folder")).isDir());
        for (qsizetype i = 0; linked && i < links.size(); i += 2)
            QCOMPARE(QFileInfo(dir.filePath(links[i])).symLinkTarget(), dir.filePath(links[i + 1]));
    }

    // A save killed midway leaves ".<name>.<8 hex>.saving"; the next
    // successful save of that same target removes it and nothing else.
    void aSuccessfulSaveRemovesOnlyItsTargetsStaleTemporaries_data()
    {
        QTest::addColumn<QString>("otherFile");
        QTest::addColumn<bool>("removed");
        QTest::newRow("left by a killed save") << ".chart.ojn.0badf00d.saving" << true;
        QTest::newRow("another chart's") << ".other.ojn.0badf00d.saving" << false;
        QTest::newRow("a chart whose name extends ours") << ".chart.ojn.bak.0badf00d.saving" << false;
        QTest::newRow("upper-case digits") << ".chart.ojn.0BADF00D.saving" << false;
        QTest::newRow("seven digits") << ".chart.ojn.0badf00.saving" << false;
        QTest::newRow("nine digits") << ".chart.ojn.0badf00d0.saving" << false;
        QTest::newRow("not hex") << ".chart.ojn.0badf00g.saving" << false;
        QTest::newRow("other ending") << ".chart.ojn.0badf00d.saved" << false;
        QTest::newRow("not hidden") << "chart.ojn.0badf00d.saving" << false;
        QTest::newRow("a user's file") << "chart.ojn.bak" << false;
    }
    void aSuccessfulSaveRemovesOnlyItsTargetsStaleTemporaries()
    {
        QFETCH(QString, otherFile);
        QFETCH(bool, removed);
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ojn");
        writeFile(path, "old chart");
        writeFile(dir.filePath(otherFile), "leftover");

        const Result<> failed = writeFileSafely(path, [](QIODevice &) { return Result<>::failure("disk full"); });
        QVERIFY(!failed.ok());
        QVERIFY2(QFile::exists(dir.filePath(otherFile)), "a failed save must not clean up");

        QVERIFY(writeFileSafely(path, writes("new chart")).ok());
        QCOMPARE(readFile(path), QByteArray("new chart"));
        QCOMPARE(QFile::exists(dir.filePath(otherFile)), !removed);
        QCOMPARE(entriesOf(dir.path()).size(), removed ? 1 : 2);
    }

    void aFolderOrLinkNamedLikeATemporaryIsKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ojn");
        writeFile(dir.filePath("precious"), "precious");
        QVERIFY(QDir(dir.path()).mkdir(".chart.ojn.00000000.saving"));
#ifndef Q_OS_WIN // there QFile::link makes a shortcut, an ordinary file
        QVERIFY(QFile::link(dir.filePath("precious"), dir.filePath(".chart.ojn.00000001.saving")));
#endif
        QVERIFY(writeFileSafely(path, writes("new chart")).ok());
        QVERIFY(QFileInfo(dir.filePath(".chart.ojn.00000000.saving")).isDir());
#ifndef Q_OS_WIN
        QVERIFY(QFileInfo(dir.filePath(".chart.ojn.00000001.saving")).isSymLink());
#endif
        QCOMPARE(readFile(dir.filePath("precious")), QByteArray("precious"));
    }
};

QTEST_MAIN(SafeFileWriterTest)
#include "tst_safe_file_writer.moc"
