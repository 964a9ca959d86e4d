#include "fileio/SafeFileWriter.h"
#include "fileio/DeviceIo.h"
#include "fileio/NewFileNames.h"
#include "support/ChartBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include "support/OrdinaryUser.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace ojn;
using namespace ojn::test;

namespace {

ContentWriter writes(const QByteArray &bytes)
{
    return [bytes](QIODevice &device) {
        return device.write(bytes) == bytes.size() ? Result<>::success() : Result<>::failure(device.errorString());
    };
}

#ifdef Q_OS_UNIX
// `run` with this process's files limited to `bytes`: a write past it is
// cut short, as on a full disk.
Result<> underFileSizeLimit(rlim_t bytes, const std::function<Result<>()> &run)
{
    rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, old.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const Result<> outcome = run();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    return outcome;
}
#endif

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

    // A save keeps what the file it replaces had: its permission bits
    // exactly (a read-only file is still replaced), and as root its owner
    // and group. On Windows the attributes stand for them.
    void ownerModeAndAttributesAreKept_data()
    {
        QTest::addColumn<uint>("mode");       // POSIX permission bits
        QTest::addColumn<uint>("attributes"); // Windows file attributes
        QTest::addColumn<bool>("ownedByNobody");
#ifdef Q_OS_WIN
        QTest::newRow("read-only") << 0u << uint(FILE_ATTRIBUTE_READONLY) << false;
        QTest::newRow("hidden") << 0u << uint(FILE_ATTRIBUTE_HIDDEN) << false;
        QTest::newRow("system, hidden and read-only")
            << 0u << uint(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY) << false;
#else
        QTest::newRow("read-only, 444") << 0444u << 0u << false;
        QTest::newRow("640") << 0640u << 0u << false;
        QTest::newRow("600") << 0600u << 0u << false;
        QTest::newRow("owned by nobody:nogroup, saved by root") << 0640u << 0u << true;
#endif
    }
    void ownerModeAndAttributesAreKept()
    {
        QFETCH(uint, mode);
        QFETCH(uint, attributes);
        QFETCH(bool, ownedByNobody);
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ojn");
        writeFile(path, "old chart");
#ifdef Q_OS_WIN
        const auto native = reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16());
        QVERIFY(SetFileAttributesW(native, attributes));
        const Result<> saved = writeFileSafely(path, writes("new chart"));
        const DWORD after = GetFileAttributesW(native);
        SetFileAttributesW(native, FILE_ATTRIBUTE_NORMAL); // let the folder go
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        QCOMPARE(uint(after & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)), attributes);
        (void)mode;
        (void)ownedByNobody;
#else
        (void)attributes;
        if (ownedByNobody && ::geteuid() != 0)
            QSKIP("Only root may give a file to another user.");
        if (ownedByNobody)
            QVERIFY(giveToOrdinaryUser(path));
        const QByteArray name = QFile::encodeName(path);
        struct stat before {}, after {};
        QVERIFY(::chmod(name.constData(), mode_t(mode)) == 0 && ::stat(name.constData(), &before) == 0);
        const Result<> saved = writeFileSafely(path, writes("new chart"));
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        QVERIFY(::stat(name.constData(), &after) == 0);
        QCOMPARE(after.st_mode & 07777, mode_t(mode));
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QVERIFY(after.st_ino != before.st_ino); // replaced, not written in place
#endif
        QCOMPARE(readFile(path), QByteArray("new chart"));
        QCOMPARE(entriesOf(dir.path()), QStringList{"chart.ojn"});
    }

#ifdef Q_OS_UNIX
    // A disk that fills midway takes part of a write and leaves Qt with no
    // reason; every way of writing a new file must still give the system's.
    // A file size limit stands in for the full disk: it cuts writes short
    // the same way, with "File too large" for "No space left on device".
    void aWriteCutShortNamesTheSystemsReason_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QList<int>>("pieces"); // the writes of the content, in bytes
        QTest::newRow("save, pieces that fill Qt's buffer") << "save" << QList<int>{10000, 10000};
        QTest::newRow("save, a small file cut short when flushed") << "save" << QList<int>{3000, 3000};
        QTest::newRow("new file, cut short when flushed") << "create" << QList<int>{3000, 3000};
        QTest::newRow("new file as a copy") << "copy" << QList<int>{100000};
    }
    void aWriteCutShortNamesTheSystemsReason()
    {
        QFETCH(QString, how);
        QFETCH(QList<int>, pieces);
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ojn"), source = dir.filePath("source");
        writeFile(path, "precious chart");
        writeFile(source, QByteArray(pieces.value(0), 's'));
        const ContentWriter content = [&pieces](QIODevice &device) {
            for (const int size : pieces) {
                if (const Result<> written = writeBytes(device, QByteArray(size, 'n'), "the chart"); !written.ok())
                    return written;
            }
            return Result<>::success();
        };

        const QString target = how == "save" ? path : dir.filePath("new.ojn");
        const Result<> outcome = underFileSizeLimit(5000, [&] {
            return how == "save" ? writeFileSafely(target, content) : how == "create" ? createNewFile(target, content) : copyToNewFile(source, target);
        });
        QVERIFY(!outcome.ok());
        QVERIFY2(outcome.error().contains("File too large") && !outcome.error().contains("Unknown error"), qPrintable(outcome.error()));
        QVERIFY2(outcome.error().contains(QDir::toNativeSeparators(target)), qPrintable(outcome.error()));
        QCOMPARE(readFile(path), QByteArray("precious chart"));
        QCOMPARE(entriesOf(dir.path()), (QStringList{"chart.ojn", "source"}));
    }
#endif

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
