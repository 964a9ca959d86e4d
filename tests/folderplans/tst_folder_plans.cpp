// The folder commands' plans, run to the end and stopped after each of
// their steps: a stopped run loses no chart and no OJM, and the same
// command run again finishes the job; the whole run undone gives back
// every file as it was, and redone, as the run left it.
#include "filehistory/FileHistory.h"
#include "folderplans/AddPlan.h"
#include "folderplans/RenamePlan.h"
#include "folderplans/RenumberPlan.h"
#include "folderplans/ResolveDuplicatesPlan.h"
#include "folderplans/PlanExecutor.h"
#include "support/ChartBuilder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

namespace {

QByteArray chart(qint32 id, const QByteArray &ojm, const QByteArray &title)
{
    return ChartBuilder().noteSections(2, 2, 2).songId(id).titleBytes(title + '\0').ojmBytes(ojm + '\0').build();
}

// "dir/name.ojn=ID:ojm" plants a chart titled after its path, "dir/name.ojm"
// an OJM, "dir/name<other" a copy of `other`; Image/OJNList.dat lists Music.
void plant(const QString &root, const QString &setup)
{
    QList<QByteArray> listed;
    for (const QString &item : setup.split(' ', Qt::SkipEmptyParts)) {
        const QString path = item.section('=', 0, 0).section('<', 0, 0);
        QDir(root).mkpath(QFileInfo(root + '/' + path).path());
        if (item.contains('<')) {
            writeFile(root + '/' + path, readFile(root + '/' + item.section('<', 1)));
        } else if (item.contains('=')) {
            const QString spec = item.section('=', 1);
            const QByteArray bytes = chart(spec.section(':', 0, 0).toInt(), spec.section(':', 1).toLatin1(), path.toLatin1());
            writeFile(root + '/' + path, bytes);
            if (path.startsWith("Music/"))
                listed << bytes;
        } else {
            writeFile(root + '/' + path, "music of " + path.toLatin1());
        }
    }
    QDir(root).mkpath("Image");
    writeFile(root + "/Image/OJNList.dat", songListBytes(qint32(listed.size()), listed, "extra"));
}

QHash<QString, QByteArray> filesIn(const QString &folder)
{
    QHash<QString, QByteArray> files;
    for (const QString &name : entriesOf(folder))
        files.insert(name, readFile(folder + '/' + name));
    return files;
}

Result<FolderPlan> planFor(const QString &root, const QString &command)
{
    const QStringList words = command.split(' ');
    PlanSettings settings;
    settings.listPath = root + "/Image/OJNList.dat";
    if (words[0] == "add") {
        AddSettings add;
        add.listPath = settings.listPath;
        QStringList charts;
        for (const QString &word : words.mid(1))
            charts << root + '/' + word;
        return planAdd(root + "/Music", charts, add);
    }
    if (words[0] == "renumber")
        return planRenumber(root + '/' + words[1], words[2].toLongLong(), settings);
    return planRename(root + "/Music", settings);
}

// Plans and runs the command; stops after `stopAfter` steps when given.
PlanRun runCommand(const QString &root, const QString &command, int stopAfter = -1, QList<FileChange> *changes = nullptr)
{
    const Result<FolderPlan> planned = planFor(root, command);
    if (!planned.ok() || !planned->refused.isEmpty()) {
        qWarning("%s", qPrintable(planned.ok() ? planned->refused.first().reason : planned.error()));
        PlanRun refused;
        refused.failed << PlanRefusal{root, "refused"};
        return refused;
    }
    PlanControl control;
    int done = 0;
    control.afterStep = [&](qsizetype) { return ++done != stopAfter; };
    control.changes = changes;
    return executeFolderPlan(planned.value(), control);
}

QByteArray titleOf(const QByteArray &bytes)
{
    return bytes.size() >= 300 ? bytes.mid(108, 64) : QByteArray();
}

} // namespace

class FolderPlansTest : public QObject {
    Q_OBJECT
private slots:
    void stoppedAfterEachStepAndRunAgain_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("music"); // Music/ at the end

        QTest::newRow("add, one ID taken, one free")
            << "Music/o2ma100.ojn=100:o2ma100.ojm Music/o2ma100.ojm src/a.ojn=100:a.ojm src/a.ojm src/b.ojn=500:o2ma500.ojm src/o2ma500.ojm"
            << "add src/a.ojn src/b.ojn" << QStringList{"o2ma100.ojm", "o2ma100.ojn", "o2ma101.ojm", "o2ma101.ojn", "o2ma500.ojm", "o2ma500.ojn"};
        QTest::newRow("renumber")
            << "Music/o2ma100.ojn=100:o2ma100.ojm Music/o2ma100.ojm Music/o2ma101.ojn=101:o2ma101.ojm Music/o2ma101.ojm"
            << "renumber Music/o2ma101.ojn 300" << QStringList{"o2ma100.ojm", "o2ma100.ojn", "o2ma300.ojm", "o2ma300.ojn"};
        QTest::newRow("renumber a revision, its shared OJM copied")
            << "Music/o2ma100.ojn=100:o2ma100.ojm Music/o2ma100_2.ojn=100:o2ma100.ojm Music/o2ma100.ojm"
            << "renumber Music/o2ma100_2.ojn 200" << QStringList{"o2ma100.ojm", "o2ma100.ojn", "o2ma200.ojm", "o2ma200_2.ojn"};
        QTest::newRow("renumber, the chart rewritten where it is")
            << "Music/o2ma300.ojn=100:o2ma100.ojm Music/o2ma100.ojm"
            << "renumber Music/o2ma300.ojn 300" << QStringList{"o2ma300.ojm", "o2ma300.ojn"};
        QTest::newRow("rename a song pair")
            << "Music/song.ojn=100:song.ojm Music/song.ojm Music/Tutorial.ojn=1:tutorial.ojm Music/tutorial.ojm"
            << "rename" << QStringList{"Tutorial.ojn", "o2ma100.ojm", "o2ma100.ojn", "tutorial.ojm"};
        QTest::newRow("rename, the chart rewritten where it is")
            << "Music/o2ma100.ojn=100:song.ojm Music/song.ojm" << "rename" << QStringList{"o2ma100.ojm", "o2ma100.ojn"};
        QTest::newRow("rename revisions sharing an OJM")
            << "Music/o2ma5.ojn=100:x.ojm Music/o2ma5_2.ojn=100:x.ojm Music/x.ojm"
            << "rename" << QStringList{"o2ma100.ojm", "o2ma100.ojn", "o2ma100_2.ojn"};
        QTest::newRow("rename, two IDs sharing an OJM")
            << "Music/a.ojn=100:x.ojm Music/b.ojn=200:x.ojm Music/x.ojm"
            << "rename" << QStringList{"o2ma100.ojm", "o2ma100.ojn", "o2ma200.ojm", "o2ma200.ojn"};
    }
    void stoppedAfterEachStepAndRunAgain()
    {
        QFETCH(QString, setup);
        QFETCH(QString, command);
        QFETCH(QStringList, music);

        QTemporaryDir whole;
        plant(whole.path(), setup);
        const QHash<QString, QByteArray> before = filesIn(whole.path() + "/Music");
        const QHash<QString, QByteArray> sources = filesIn(whole.path() + "/src");
        const QByteArray listBefore = readFile(whole.path() + "/Image/OJNList.dat");
        QList<FileChange> changes;
        const PlanRun run = runCommand(whole.path(), command, -1, &changes);
        QVERIFY(run.failed.isEmpty() && !run.stopped);
        const QHash<QString, QByteArray> after = filesIn(whole.path() + "/Music");
        const QByteArray listAfter = readFile(whole.path() + "/Image/OJNList.dat");
        for (const auto direction : {FileChange::Direction::Undo, FileChange::Direction::Redo}) {
            const ReplayOutcome replayed = replayChanges(changes, direction);
            QVERIFY2(replayed.skipped.isEmpty() && replayed.failed.isEmpty(), qPrintable((replayed.skipped + replayed.failed).join('\n')));
            const bool undone = direction == FileChange::Direction::Undo;
            QCOMPARE(filesIn(whole.path() + "/Music"), undone ? before : after);
            QCOMPARE(readFile(whole.path() + "/Image/OJNList.dat"), undone ? listBefore : listAfter);
            QCOMPARE(filesIn(whole.path() + "/src"), sources);
        }
        QStringList names = after.keys();
        names.sort();
        QCOMPARE(names, music);
        QVERIFY(listAfter != listBefore);
        const qsizetype steps = run.stepsDone;

        for (int stop = 1; stop < steps; ++stop) {
            QTemporaryDir dir;
            plant(dir.path(), setup);
            const PlanRun stopped = runCommand(dir.path(), command, stop);
            QVERIFY(stopped.stopped);
            // Every file of the folder lives on: as it was, or as the finished
            // command leaves it; the charts added are still where they were.
            const QHash<QString, QByteArray> now = filesIn(dir.path() + "/Music");
            const QList<QByteArray> contents = now.values();
            for (auto it = before.cbegin(); it != before.cend(); ++it) {
                bool alive = contents.contains(it.value());
                for (const QByteArray &done : after) {
                    if (!alive && titleOf(done) == titleOf(it.value()) && !titleOf(done).isEmpty())
                        alive = contents.contains(done);
                }
                QVERIFY2(alive, qPrintable(QString("stopped after step %1: %2 is lost").arg(stop).arg(it.key())));
            }
            QCOMPARE(filesIn(dir.path() + "/src"), sources);

            const PlanRun again = runCommand(dir.path(), command);
            QVERIFY2(again.failed.isEmpty(), qPrintable(QString("stopped after step %1: the second run failed").arg(stop)));
            const QHash<QString, QByteArray> finished = filesIn(dir.path() + "/Music");
            for (auto it = after.cbegin(); it != after.cend(); ++it)
                QVERIFY2(finished.value(it.key()) == it.value(), qPrintable(QString("stopped after step %1: %2").arg(stop).arg(it.key())));
            // At worst an extra copy of a file the command leaves.
            for (auto it = finished.cbegin(); it != finished.cend(); ++it)
                QVERIFY2(after.contains(it.key()) || after.values().contains(it.value()), qPrintable(QString("stopped after step %1: %2 left").arg(stop).arg(it.key())));
            QCOMPARE(readFile(dir.path() + "/Image/OJNList.dat"), listAfter);
        }
    }

    // The executor's guards against a folder changed after planning: "N:+path"
    // made, "N:*path" changed, "N:-path" removed once N steps ran (0: before).
    // No file is replaced or lost, a chart that fails leaves no new name
    // behind (saying so), and the list gets the entries of the charts done.
    void guardsHoldWhenTheFolderChanges_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("failure"); // parts of what failed and was taken back, split by "|"
        // Music/ afterwards, exactly: "name" as planted, "name=other" holding
        // the bytes planted as other (in Music or src), "name=+" the change's.
        QTest::addColumn<QStringList>("music");
        QTest::addColumn<QList<qint32>>("listed"); // the list's songs; none: byte for byte as it was

        const QString pair = "Music/song.ojn=100:song.ojm Music/song.ojm";
        const QString pack = "Music/o2ma100.ojn=100:o2ma100.ojm Music/o2ma100.ojm src/a.ojn=100:a.ojm src/a.ojm src/b.ojn=500:o2ma500.ojm src/o2ma500.ojm";
        const QString taken = "is already there and holds other bytes; nothing was replaced.";
        const QStringList music100{"o2ma100.ojn", "o2ma100.ojm"};
        QTest::newRow("a move onto a name made since: refused, the new chart taken back") << pair << "rename" << "0:+Music/o2ma100.ojm"
            << "song.ojn: |removed o2ma100.ojn again: the OJM could not be moved.|" + taken << QStringList{"song.ojn", "song.ojm", "o2ma100.ojm=+"} << QList<qint32>{};
        QTest::newRow("a second name made since is not counted as made") << "Music/o2ma100.ojn=100:song.ojm Music/song.ojm" << "rename"
            << "0:+Music/o2ma100.ojm" << taken << QStringList{"o2ma100.ojn", "song.ojm", "o2ma100.ojm=+"} << QList<qint32>{};
        QTest::newRow("a copy made since is not counted as made") << pack << "add src/b.ojn" << "0:+Music/o2ma500.ojm"
            << "b.ojn: |" + taken << music100 + QStringList{"o2ma500.ojm=+"} << QList<qint32>{};
        QTest::newRow("an earlier run's copy changed since is not counted as made") << pack + " Music/o2ma500.ojm<src/o2ma500.ojm" << "add src/b.ojn"
            << "0:*Music/o2ma500.ojm" << taken << music100 + QStringList{"o2ma500.ojm=+"} << QList<qint32>{};
        QTest::newRow("a chart's new name made since: its OJM taken back") << pack << "add src/a.ojn" << "0:+Music/o2ma101.ojn" << "a.ojn: |" + taken
            + "|removed o2ma101.ojm again: the chart could not be written." << music100 + QStringList{"o2ma101.ojn=+"} << QList<qint32>{};
        QTest::newRow("two charts added, one refused: the list gets the other's entry") << pack << "add src/a.ojn src/b.ojn" << "0:+Music/o2ma101.ojn"
            << "a.ojn: |removed o2ma101.ojm again: the chart could not be written."
            << music100 + QStringList{"o2ma101.ojn=+", "o2ma500.ojn=b.ojn", "o2ma500.ojm=o2ma500.ojm"} << QList<qint32>{100, 500};
        QTest::newRow("an old name stays when its new one was removed since") << pair << "rename" << "1:-Music/o2ma100.ojn"
            << "song.ojn was kept: |o2ma100.ojn gives no entry" << QStringList{"song.ojn", "o2ma100.ojm=song.ojm"} << QList<qint32>{};
    }
    void guardsHoldWhenTheFolderChanges()
    {
        QFETCH(QString, setup);
        QFETCH(QString, command);
        QFETCH(QString, change);
        QFETCH(QString, failure);
        QFETCH(QStringList, music);
        QFETCH(QList<qint32>, listed);
        QTemporaryDir dir;
        plant(dir.path(), setup);
        const QHash<QString, QByteArray> before = filesIn(dir.filePath("Music")), sources = filesIn(dir.filePath("src"));
        const QByteArray listBefore = readFile(dir.filePath("Image/OJNList.dat")), changed = "another program's";
        const Result<FolderPlan> planned = planFor(dir.path(), command);
        QVERIFY(planned.ok() && planned->refused.isEmpty());
        int steps = 0;
        PlanControl control;
        control.afterStep = [&](qsizetype) {
            const QString path = dir.filePath(change.section(':', 1).mid(1));
            if (change.section(':', 0, 0).toInt() == steps++)
                change.section(':', 1).startsWith('-') ? void(QFile::remove(path)) : writeFile(path, changed);
            return true;
        };
        control.afterStep(-1); // the change made before the run
        const PlanRun run = executeFolderPlan(planned.value(), control);

        QString said;
        for (const PlanRefusal &failed : run.failed)
            said += QFileInfo(failed.path).fileName() + ": " + failed.reason + '\n';
        said += run.takenBack.join('\n');
        for (const QString &part : failure.split('|', Qt::SkipEmptyParts))
            QVERIFY2(said.contains(part), qPrintable(said));
        const QHash<QString, QByteArray> now = filesIn(dir.filePath("Music"));
        for (const QString &file : music) {
            const QString name = file.section('=', 0, 0), from = file.section('=', 1);
            const QByteArray bytes = from == "+" ? changed : before.value(from.isEmpty() ? name : from, sources.value(from));
            QVERIFY2(!bytes.isEmpty() && now.value(name) == bytes, qPrintable(name));
        }
        QCOMPARE(now.size(), music.size());
        QCOMPARE(filesIn(dir.filePath("src")), sources);
        QList<QByteArray> entries;
        for (const qint32 id : listed)
            entries << now.value(QStringLiteral("o2ma%1.ojn").arg(id));
        QCOMPARE(readFile(dir.filePath("Image/OJNList.dat")), listed.isEmpty() ? listBefore : songListBytes(qint32(entries.size()), entries, "extra"));
    }

    // Which charts Resolve Duplicate IDs works on, by the selection.
    void duplicateGroupOfSelection_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("group");
        QTest::newRow("one of three sharing an ID") << "b" << "a b d";
        QTest::newRow("two of them") << "d a" << "a b d";
        QTest::newRow("charts of two IDs") << "a c" << "";
        QTest::newRow("an ID no other chart holds") << "c" << "";
        QTest::newRow("with a chart that cannot be read") << "a e" << "";
    }
    void duplicateGroupOfSelection()
    {
        QFETCH(QString, selected);
        QFETCH(QString, group);
        QList<ChartScan> charts; // a, b and d hold ID 100, c 101; e cannot be read
        for (const auto &[name, id] : {std::pair{"a", 100}, {"b", 100}, {"c", 101}, {"d", 100}, {"e", -1}}) {
            ChartScan scan;
            scan.path = QString::fromLatin1(name);
            if (id >= 0) {
                scan.header.emplace();
                scan.header->songId = id;
            }
            charts << scan;
        }
        QCOMPARE(duplicateIdGroup(charts, selected.split(' ')), group.split(' ', Qt::SkipEmptyParts));
    }
};

QTEST_GUILESS_MAIN(FolderPlansTest)
#include "tst_folder_plans.moc"
