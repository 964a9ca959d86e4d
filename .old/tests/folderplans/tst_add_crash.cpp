// Adds 200 charts in a child process and kills it with SIGKILL at many
// moments: the folder's own files stay as they were, every file under a
// chart's or OJM's name is whole, and adding the same charts again
// finishes the job, each chart added once.
#include "folderplans/FolderPlans.h"
#include "folderplans/PlanExecutor.h"
#include "model/ChartReader.h"
#include "support/ChartBuilder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <thread>

using namespace ojn;
using namespace ojn::test;

namespace {

constexpr int Charts = 200;
constexpr int Kills = 12;

bool waitForLine(QProcess &child, const QByteArray &line)
{
    while (!child.canReadLine()) {
        if (!child.waitForReadyRead(60000))
            return false;
    }
    return child.readLine().trimmed() == line;
}

// Music/ with songs 100 to 109; src/ with 200 charts, half of them holding
// IDs the folder has, each with its OJM.
void plant(const QString &root)
{
    QDir(root).mkpath("Music");
    QDir(root).mkpath("src");
    for (int id = 100; id < 110; ++id) {
        writeFile(QStringLiteral("%1/Music/o2ma%2.ojn").arg(root).arg(id),
                  ChartBuilder().noteSections(2, 2, 2).songId(id).titleBytes(QByteArray("Old", 4)).ojmBytes(QStringLiteral("o2ma%1.ojm").arg(id).toLatin1() + '\0').build());
        writeFile(QStringLiteral("%1/Music/o2ma%2.ojm").arg(root).arg(id), QByteArray(4000, char(id)));
    }
    for (int i = 0; i < Charts; ++i) {
        const int id = i % 2 ? 100 + i % 10 : 1000 + i;
        const QByteArray title = QStringLiteral("Song %1").arg(i).toLatin1();
        writeFile(QStringLiteral("%1/src/song%2.ojn").arg(root).arg(i, 3, 10, QLatin1Char('0')),
                  ChartBuilder().noteSections(3, 3, 3).songId(id).titleBytes(title + '\0').ojmBytes(QByteArray("song.ojm", 9)).build());
        writeFile(QStringLiteral("%1/src/song%2.ojm").arg(root).arg(i, 3, 10, QLatin1Char('0')), QByteArray(20000, char(i)) + title);
    }
}

} // namespace

class AddCrashTest : public QObject {
    Q_OBJECT
private slots:
    void killedAddsLoseNothingAndFinishWhenRunAgain()
    {
        qint64 runMicroseconds = 0;
        {
            QTemporaryDir dir;
            plant(dir.path());
            QProcess calibration;
            calibration.start(QStringLiteral(ADD_CRASH_CHILD), {dir.filePath("Music"), dir.filePath("src")});
            QVERIFY(calibration.waitForStarted(30000) && waitForLine(calibration, "adding"));
            QElapsedTimer clock;
            clock.start();
            QVERIFY2(waitForLine(calibration, "added"), qPrintable(calibration.readAllStandardError()));
            runMicroseconds = clock.nsecsElapsed() / 1000;
            QVERIFY(calibration.waitForFinished(60000));
            QCOMPARE(QDir(dir.filePath("Music")).entryList({"*.ojn"}).size(), 10 + Charts);
        }
        int interrupted = 0;
        for (int kill = 0; kill < Kills; ++kill) {
            QTemporaryDir dir;
            plant(dir.path());
            const QString music = dir.filePath("Music");
            QHash<QString, QByteArray> own;
            for (const QString &name : entriesOf(music))
                own.insert(name, readFile(music + '/' + name));
            QSet<QByteArray> ojms;
            for (const QString &name : QDir(dir.filePath("src")).entryList({"*.ojm"}))
                ojms.insert(readFile(dir.filePath("src/" + name)));

            QProcess child;
            child.start(QStringLiteral(ADD_CRASH_CHILD), {music, dir.filePath("src")});
            QVERIFY(child.waitForStarted(30000) && waitForLine(child, "adding"));
            std::this_thread::sleep_for(std::chrono::microseconds(runMicroseconds * (kill + 1) / (Kills + 1)));
            child.kill();
            QVERIFY(child.waitForFinished(60000));

            int added = 0;
            for (const QString &name : entriesOf(music)) {
                const QString path = music + '/' + name;
                if (own.contains(name)) {
                    QVERIFY2(readFile(path) == own.value(name), qPrintable(name + " changed"));
                } else if (name.endsWith(".ojn")) {
                    QVERIFY2(readChartFile(path).ok(), qPrintable(name + " is not whole"));
                    ++added;
                } else if (name.endsWith(".ojm")) {
                    QVERIFY2(ojms.contains(readFile(path)), qPrintable(name + " is not whole"));
                } else {
                    QVERIFY2(name.endsWith(".saving"), qPrintable(name)); // a new file not yet named
                }
            }
            if (added < Charts)
                ++interrupted;

            const Result<FolderPlan> again = planAdd(music, QDir(dir.filePath("src")).entryList({"*.ojn"}, QDir::Files, QDir::Name).replaceInStrings(QRegularExpression("^"), dir.filePath("src/")), {});
            QVERIFY(again.ok() && again->refused.isEmpty());
            QCOMPARE(again->skipped.size() + again->chartFiles(), Charts);
            QVERIFY(executeFolderPlan(again.value()).failed.isEmpty());
            const QStringList names = entriesOf(music);
            QCOMPARE(QDir(music).entryList({"*.ojn"}).size(), 10 + Charts);
            QCOMPARE(QDir(music).entryList({"*.ojm"}).size(), 10 + Charts);
            QCOMPARE(names.size(), 2 * (10 + Charts)); // no temporary file left
            QSet<QByteArray> titles;
            for (const QString &name : QDir(music).entryList({"*.ojn"}))
                titles.insert(readFile(music + '/' + name).mid(108, 16));
            QCOMPARE(titles.size(), Charts + 1); // each chart once, beside the old ones
        }
        qInfo("adding %d charts took %lld us; %d of %d kills stopped it midway", Charts, runMicroseconds, interrupted, Kills);
        QVERIFY2(interrupted > 0, "no kill landed before the add finished");
    }
};

QTEST_GUILESS_MAIN(AddCrashTest)
#include "tst_add_crash.moc"
