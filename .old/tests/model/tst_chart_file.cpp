#include "model/ChartFile.h"
#include "model/ChartReader.h"
#include "model/ChartWriter.h"
#include "fileio/SafeFileWriter.h"
#include "support/ChartBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif
#ifdef Q_OS_UNIX
#include "support/OrdinaryUser.h"
#endif

using namespace ojn;
using namespace ojn::test;

namespace {

// Passes writes on to another device until `budget` bytes went through,
// then fails the way a full disk does.
class FailingDevice final : public QIODevice {
public:
    FailingDevice(QIODevice &target, qint64 budget)
        : m_target(target)
        , m_budget(budget)
    {
        open(QIODevice::WriteOnly);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 room = m_budget - m_written;
        if (room <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 wrote = m_target.write(data, qMin(size, room));
        if (wrote > 0)
            m_written += wrote;
        return wrote;
    }

private:
    QIODevice &m_target;
    qint64 m_budget;
    qint64 m_written = 0;
};

constexpr QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr QFile::Permissions usable = readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

} // namespace

class ChartFileTest : public QObject {
    Q_OBJECT
private slots:
    void writeFailingPartWayLeavesTheTarget_data()
    {
        const ChartBuilder chart;
        const qint64 body = 300 + (chart.build().size() - 300 - chart.coverBytes().size() - chart.thumbnailBytes().size());
        const qint64 cover = chart.coverBytes().size();
        const qint64 thumbnail = chart.thumbnailBytes().size();
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<QString>("part");
        QTest::newRow("nothing written") << qint64(0) << "the header";
        QTest::newRow("in the header") << qint64(100) << "the header";
        QTest::newRow("in the note data") << qint64(350) << "the note data";
        QTest::newRow("in the cover") << body + 10 << "the cover image";
        QTest::newRow("in the thumbnail") << body + cover + 5 << "the thumbnail";
        QTest::newRow("one byte short") << body + cover + thumbnail - 1 << "the thumbnail";
    }
    void writeFailingPartWayLeavesTheTarget()
    {
        QFETCH(qint64, budget);
        QFETCH(QString, part);
        QTemporaryDir dir;
        const QString path = ChartBuilder().trailing("old tail").writeTo(dir.filePath("chart.ojn"));
        const QByteArray before = readFile(path);
        ChartRecord record = recordOf(readFile(path));
        record.Title = "Edited";

        QStringList whileWriting;
        const Result<> outcome = writeFileSafely(path, [&](QIODevice &device) {
            whileWriting = entriesOf(dir.path());
            FailingDevice failing(device, budget);
            return writeChart(record, failing);
        });

        QVERIFY(!outcome.ok());
        // The failure came while a temporary file beside the target was
        // being written, and that file is gone again.
        QCOMPARE(whileWriting.size(), 2);
        QVERIFY2(isTemporaryFileOf(whileWriting.first(), "chart.ojn"), qPrintable(whileWriting.first()));
        for (const QString &expected : {QDir::toNativeSeparators(path), QStringLiteral("No space left on device"), part})
            QVERIFY2(outcome.error().contains(expected), qPrintable(outcome.error()));
        QCOMPARE(readFile(path), before);
        QCOMPARE(entriesOf(dir.path()), QStringList{"chart.ojn"});
    }

    void refusedRecordTouchesNothing()
    {
        QTemporaryDir dir;
        const QString path = ChartBuilder().writeTo(dir.filePath("chart.ojn"));
        const QByteArray before = readFile(path);
        ChartRecord record = recordOf(readFile(path));
        record.Artist = QByteArray(33, 'a');
        const Result<> outcome = saveChartFile(record, path);
        QVERIFY(!outcome.ok());
        QVERIFY2(outcome.error().contains("artist takes 33 bytes"), qPrintable(outcome.error()));
        QCOMPARE(readFile(path), before);
        QCOMPARE(entriesOf(dir.path()), QStringList{"chart.ojn"});
    }

    // Two programs save in one folder at once, different charts or the same
    // one, many times over: a save tidying up after itself must never take
    // the other's temporary file, so every save goes through, and each
    // chart ends as one of the versions saved, whole.
    void concurrentSavesInOneFolder_data()
    {
        QTest::addColumn<bool>("sameChart");
        QTest::newRow("different charts") << false;
        QTest::newRow("the same chart") << true;
    }
    void concurrentSavesInOneFolder()
    {
        QFETCH(bool, sameChart);
        QTemporaryDir dir;
        QByteArray saved[2];
        QProcess savers[2];
        for (int i = 0; i < 2; ++i) {
            const QByteArray chart = ChartBuilder().songId(i).noteData(QByteArray(40000 + 20000 * i, char('a' + i))).build();
            saved[i] = expectedUneditedSave(chart);
            const QString source = dir.filePath(QStringLiteral("source%1").arg(i));
            writeFile(source, chart);
            const QString target = dir.filePath(sameChart ? QStringLiteral("chart.ojn") : QStringLiteral("chart%1.ojn").arg(i));
            savers[i].start(QStringLiteral(SAVE_CHART_HELPER), {source, target, QStringLiteral("50")});
        }
        for (QProcess &saver : savers) { // both ready, then both go
            while (!saver.canReadLine() && saver.waitForReadyRead(60000)) {
            }
            QVERIFY2(saver.readLine().trimmed() == "ready", saver.readAllStandardError().constData());
        }
        for (QProcess &saver : savers)
            QVERIFY(saver.write("go\n") == 3 && saver.waitForBytesWritten(60000));
        for (QProcess &saver : savers) {
            QVERIFY2(saver.waitForFinished(60000), qPrintable(saver.errorString()));
            QVERIFY2(saver.exitStatus() == QProcess::NormalExit && saver.exitCode() == 0, saver.readAllStandardError().constData());
        }
        if (sameChart) {
            const QByteArray onDisk = readFile(dir.filePath("chart.ojn"));
            QVERIFY2(onDisk == saved[0] || onDisk == saved[1], "the chart is neither version whole");
            QCOMPARE(entriesOf(dir.path()), QStringList({"chart.ojn", "source0", "source1"}));
        } else {
            QVERIFY2(readFile(dir.filePath("chart0.ojn")) == saved[0] && readFile(dir.filePath("chart1.ojn")) == saved[1], "a chart is torn");
            QCOMPARE(entriesOf(dir.path()), QStringList({"chart0.ojn", "chart1.ojn", "source0", "source1"}));
        }
    }

    // The save runs in a child process as an ordinary user, for whom
    // permission bits count. On Windows the read-only attribute stands in
    // for the bits, and a file another program holds open for a folder the
    // user may not write.
    void permissionsAsAnOrdinaryUser_data()
    {
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<bool>("targetReadOnly");
#ifdef Q_OS_WIN
        QTest::newRow("file held open by another program") << false << false;
        QTest::newRow("read-only file held open by another program") << false << true;
#else
        QTest::newRow("folder not writable") << false << false;
        QTest::newRow("read-only file in a folder not writable") << false << true;
#endif
        QTest::newRow("read-only file in a writable folder is replaced") << true << true;
    }
    void permissionsAsAnOrdinaryUser()
    {
        QFETCH(bool, folderWritable);
        QFETCH(bool, targetReadOnly);
        QTemporaryDir dir;
        const QString input = ChartBuilder().trailing("tail").writeTo(dir.filePath("input.ojn"));
        const QString folder = dir.filePath("charts");
        QVERIFY(QDir().mkdir(folder));
        const QString target = folder + QStringLiteral("/chart.ojn");
        const QByteArray oldContent(5000, 'o');
        writeFile(target, oldContent);
        QVERIFY(QFile::setPermissions(target, targetReadOnly ? readable : readable | QFile::WriteOwner));

#ifdef Q_OS_WIN
        // Opened without sharing, as a program that keeps its file locked.
        const HANDLE held = folderWritable ? INVALID_HANDLE_VALUE
                                           : CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(target).utf16()),
                                                         GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        QVERIFY(folderWritable || held != INVALID_HANDLE_VALUE);
        const Result<> outcome = saveChartFile(recordOf(readFile(input)), target);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        const bool saved = outcome.ok();
        const QString errors = outcome.error();
        const QString reason = QStringLiteral("Another program may have the file open");
#else
        QVERIFY(QFile::setPermissions(dir.path(), usable | QFile::WriteOwner));
        const QString helper = dir.filePath("save_chart_helper");
        QVERIFY(QFile::copy(QStringLiteral(SAVE_CHART_HELPER), helper));
        QVERIFY(QFile::setPermissions(helper, usable));
        QVERIFY(QFile::setPermissions(input, readable | QFile::WriteOwner));
        QVERIFY(QFile::setPermissions(folder, folderWritable ? usable | QFile::WriteOwner : usable));
        QVERIFY(giveToOrdinaryUser(target));
        QVERIFY(!folderWritable || giveToOrdinaryUser(folder));

        QProcess save;
        startAsOrdinaryUser(save, helper, {input, target});
        QVERIFY2(save.waitForFinished(60000), qPrintable(save.errorString()));
        QCOMPARE(save.exitStatus(), QProcess::NormalExit);
        const bool saved = save.exitCode() == 0;
        const QString errors = QString::fromLocal8Bit(save.readAllStandardError());
        QVERIFY2(saved || save.exitCode() == 1, qPrintable(errors));
        const QString reason = QStringLiteral("Permission denied");
#endif

        if (folderWritable) {
            QVERIFY2(saved, qPrintable(errors));
            QCOMPARE(readFile(target), expectedUneditedSave(readFile(input)));
            // Replaced, and still read-only (the test's own bits aside).
            const QFile::Permissions users = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
            QCOMPARE(QFileInfo(target).permissions() & ~users, readable);
#ifdef Q_OS_UNIX
            QCOMPARE(QFileInfo(target).ownerId(), ordinaryUserId()); // written by that user, not by us
#endif
        } else {
            QVERIFY2(!saved, "the save went through");
            QVERIFY2(errors.contains(QDir::toNativeSeparators(target)) && errors.contains(reason), qPrintable(errors));
            QCOMPARE(readFile(target), oldContent);
            // A read-only chart that could not be replaced stays read-only.
            QCOMPARE(bool(QFileInfo(target).permissions() & QFile::WriteOwner), !targetReadOnly);
        }
        QCOMPARE(entriesOf(folder), QStringList{"chart.ojn"});
        // Let the temporary folder be removed.
        QVERIFY(QFile::setPermissions(folder, usable | QFile::WriteOwner));
        QVERIFY(QFile::setPermissions(target, readable | QFile::WriteOwner));
    }
};

QTEST_GUILESS_MAIN(ChartFileTest)
#include "tst_chart_file.moc"
