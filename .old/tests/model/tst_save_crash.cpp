// Saves a large chart in a child process and kills it with SIGKILL at many
// moments of the save: the chart on disk must always be the old or the new
// one, whole, and the next successful save must leave no temporary file.
#include "model/ChartFile.h"
#include "model/ChartReader.h"
#include "fileio/SafeFileWriter.h"
#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <thread>

using namespace ojn;
using namespace ojn::test;

namespace {

constexpr int Kills = 40;

bool waitForLine(QProcess &child, const QByteArray &line)
{
    while (!child.canReadLine()) {
        if (!child.waitForReadyRead(60000))
            return false;
    }
    // Windows ends the child's lines with CR LF.
    return child.readLine().trimmed() == line;
}

// Starts the child and waits until it says the save begins.
bool startSave(QProcess &child, const QString &source, const QString &target)
{
    child.start(QStringLiteral(SAVE_CRASH_CHILD), {source, target});
    return child.waitForStarted(30000) && waitForLine(child, "saving");
}

} // namespace

class SaveCrashTest : public QObject {
    Q_OBJECT
private slots:
    void killedSavesLeaveTheOldOrTheNewChart()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("chart.ojn");
        const QString source = dir.filePath("new chart.ojn");
        const QByteArray oldChart = ChartBuilder().noteData(QByteArray(16 << 20, 'o')).titleBytes("Old").build();
        const QByteArray newChart = expectedUneditedSave(
            ChartBuilder()
                .noteData(QByteArray(12 << 20, 'n'))
                .cover(jpegBytes(QSize(800, 600), Qt::darkGreen))
                .thumbnail(bmpBytes(QSize(79, 78), Qt::yellow))
                .titleBytes("New")
                .build());
        writeFile(source, newChart);

        // Whole saves first, to learn how long the child's save takes.
        qint64 saveMicroseconds = 0;
        for (int run = 0; run < 3; ++run) {
            writeFile(target, oldChart);
            QProcess calibration;
            QVERIFY2(startSave(calibration, source, target), qPrintable(calibration.readAllStandardError()));
            QElapsedTimer clock;
            clock.start();
            QVERIFY2(waitForLine(calibration, "saved"), qPrintable(calibration.readAllStandardError()));
            saveMicroseconds = qMax(saveMicroseconds, clock.nsecsElapsed() / 1000);
            QVERIFY(calibration.waitForFinished(60000));
            QVERIFY2(readFile(target) == newChart, "an uninterrupted save must give the new chart");
        }

        int sawOld = 0, sawNew = 0, leftovers = 0;
        for (int kill = 0; kill < Kills; ++kill) {
            writeFile(target, oldChart);
            QProcess child;
            QVERIFY2(startSave(child, source, target), qPrintable(child.readAllStandardError()));
            // Spread over the whole save, a little past its end.
            std::this_thread::sleep_for(std::chrono::microseconds(saveMicroseconds * kill / (Kills - 4)));
            child.kill();
            QVERIFY(child.waitForFinished(60000));

            const QByteArray onDisk = readFile(target);
            QVERIFY2(onDisk == oldChart || onDisk == newChart,
                     qPrintable(QString("kill %1: the chart on disk is neither the old nor the new one").arg(kill)));
            (onDisk == oldChart ? sawOld : sawNew) += 1;

            // Whatever the kill left beside the chart is a temporary file of it.
            const QStringList names = entriesOf(dir.path());
            for (const QString &name : names) {
                if (name != "chart.ojn" && name != "new chart.ojn") {
                    QVERIFY2(isTemporaryFileOf(name, "chart.ojn"), qPrintable(name));
                    ++leftovers;
                }
            }

            // The next successful save tidies up after the killed one.
            const Result<ChartRecord> again = readChartFile(source);
            QVERIFY2(again.ok(), qPrintable(again.error()));
            const Result<> saved = saveChartFile(again.value(), target);
            QVERIFY2(saved.ok(), qPrintable(saved.error()));
            QVERIFY(readFile(target) == newChart);
            QCOMPARE(entriesOf(dir.path()),
                     (QStringList{"chart.ojn", "new chart.ojn"}));
        }
        qInfo("a save took %lld us; %d kills: %d left the old chart, %d the new one; %d temporary files were left and tidied up",
              saveMicroseconds, Kills, sawOld, sawNew, leftovers);
        QVERIFY2(sawOld > 0, "no kill landed before the save finished");
    }
};

QTEST_MAIN(SaveCrashTest)
#include "tst_save_crash.moc"
