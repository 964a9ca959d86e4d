// Undo and redo of recorded file changes: the exact bytes and names come
// back, a file changed since is left alone; the history replays its steps
// off the caller's thread, moves its own place and says what it did; and
// its bound.
#include "filehistory/FileHistory.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace ojn;

namespace {

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray bytesAt(const QString &path)
{
    const Result<QByteArray> read = readWholeFile(path);
    return read.ok() ? read.value() : QByteArray("<none>");
}

QByteArray chartLike(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i * 7 + 3);
    return bytes;
}

} // namespace

class FileHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void editUndoneAndRedone_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<qsizetype>("mostKept"); // bytes the record may keep
        const QByteArray chart = chartLike(40000);
        QByteArray levels = chart;
        levels[12] = 6;
        levels[20] = 7;
        levels[299] = 1;
        QTest::newRow("header fields") << chart << levels << qsizetype(300);
        QTest::newRow("tail dropped after the thumbnail") << chart << levels.left(39000) << qsizetype(1000 + 300);
        QTest::newRow("tail added") << chart.left(100) << chart << qsizetype(40000);
        QTest::newRow("same bytes") << chart << chart << qsizetype(0);
        QTest::newRow("emptied") << chart.left(10) << QByteArray() << qsizetype(10);
    }
    void editUndoneAndRedone()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(qsizetype, mostKept);
        QTemporaryDir dir;
        const QString path = dir.filePath("a.ojn");
        put(path, after);
        const FileChange change = FileChange::edit(path, before, after);
        QCOMPARE(change.isEmpty(), before == after);
        QVERIFY2(change.memoryUsed() <= 2 * mostKept + 400, qPrintable(QString::number(change.memoryUsed())));
        QVERIFY(change.replay(FileChange::Direction::Undo).ok());
        QCOMPARE(bytesAt(path), before);
        QVERIFY(change.replay(FileChange::Direction::Undo).ok()); // already undone: nothing to do
        QVERIFY(change.replay(FileChange::Direction::Redo).ok());
        QCOMPARE(bytesAt(path), after);
    }

    // Each kind of change, replayed over a file someone touched since, is
    // skipped and leaves it as it is; untouched, it comes back exactly.
    void kindsGuarded_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("touched");
        for (const auto &[name, kind] : {std::pair{"edit", FileChange::Kind::Edit}, {"create", FileChange::Kind::Create},
                                          {"remove", FileChange::Kind::Remove}, {"rename", FileChange::Kind::Rename},
                                          {"copy", FileChange::Kind::Copy}}) {
            QTest::addRow("%s", name) << int(kind) << false;
            QTest::addRow("%s, touched since", name) << int(kind) << true;
        }
    }
    void kindsGuarded()
    {
        QFETCH(int, kind);
        QFETCH(bool, touched);
        QTemporaryDir dir;
        const QString a = dir.filePath("a.ojn"), b = dir.filePath("b.ojn");
        const QByteArray old = chartLike(500), edited = chartLike(300);
        HistoryStep step;
        QString left; // the file as the step left it, or empty when it removed it
        switch (FileChange::Kind(kind)) {
        case FileChange::Kind::Edit: step.changes << FileChange::edit(a, old, edited); put(a, edited); left = a; break;
        case FileChange::Kind::Create: step.changes << FileChange::create(a, edited); put(a, edited); left = a; break;
        case FileChange::Kind::Remove: step.changes << FileChange::remove(a, old); break;
        case FileChange::Kind::Rename: step.changes << FileChange::rename(a, b, old); put(b, old); left = b; break;
        case FileChange::Kind::Copy: step.changes << FileChange::copy(a, b, old); put(a, old); put(b, old); left = b; break;
        }
        if (touched)
            put(left.isEmpty() ? a : left, "someone else's");
        const ReplayOutcome undone = replayChanges(step.changes, FileChange::Direction::Undo);
        QCOMPARE(undone.skipped.size(), touched ? 1 : 0);
        QVERIFY2(undone.failed.isEmpty(), qPrintable(undone.failed.join('\n')));
        if (touched) {
            QCOMPARE(bytesAt(left.isEmpty() ? a : left), "someone else's");
            return;
        }
        const bool hadA = FileChange::Kind(kind) != FileChange::Kind::Create;
        const bool keepsA = FileChange::Kind(kind) != FileChange::Kind::Rename && FileChange::Kind(kind) != FileChange::Kind::Remove;
        QCOMPARE(bytesAt(a), hadA ? old : QByteArray("<none>"));
        QCOMPARE(QFile::exists(b), false);
        const ReplayOutcome redone = replayChanges(step.changes, FileChange::Direction::Redo);
        QVERIFY(redone.skipped.isEmpty() && redone.failed.isEmpty());
        if (!left.isEmpty())
            QCOMPARE(bytesAt(left), FileChange::Kind(kind) == FileChange::Kind::Rename || FileChange::Kind(kind) == FileChange::Kind::Copy ? old : edited);
        QCOMPARE(QFile::exists(a), keepsA);
    }

    // Each kind of step, undone by the history itself: its name, what the
    // report says, the files, and the place it moved to (or kept, when
    // cancelled before its first file).
    void replayReports_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("changes"); // edit a, edit list, rename a (to b), copy a (to b)
        QTest::addColumn<int>("charts");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("report"); // saved, moved, list, names: as flags
        using Kind = HistoryStep::Kind;
        QTest::newRow("edit of two charts") << int(Kind::EditSelected) << "edit a, edit b" << 2 << false << "Edit Selected (2 charts)" << "saved b a";
        QTest::newRow("the song list updated") << int(Kind::UpdateSongList) << "edit list" << 0 << false << "Update Song List" << "list";
        QTest::newRow("a chart and its OJM named for its ID")
            << int(Kind::NameFilesForIds) << "rename a, rename ojm" << 1 << false << "Name Files for IDs (1 chart)" << "moved b>a names";
        QTest::newRow("a chart added, and the list") << int(Kind::AddCharts) << "copy a, edit list" << 1 << false << "Add Charts (1 chart)" << "list names";
        QTest::newRow("cancelled before its first file") << int(Kind::Import) << "edit a" << 1 << true << "Import (1 chart)" << "";
    }
    void replayReports()
    {
        QFETCH(int, kind);
        QFETCH(QString, changes);
        QFETCH(int, charts);
        QFETCH(bool, cancelled);
        QFETCH(QString, name);
        QFETCH(QString, report);
        QTemporaryDir dir;
        const auto path = [&](const QString &file) { return dir.filePath(file == "list" ? "OJNList.dat" : file + ".ojn"); };
        const QByteArray old = chartLike(500), edited = chartLike(300);
        QList<FileChange> recorded;
        for (const QString &change : changes.split(", ")) {
            const QString what = change.section(' ', 0, 0), file = change.section(' ', 1);
            if (what == "edit") {
                recorded << FileChange::edit(path(file), old, edited);
                put(path(file), edited);
            } else if (file == "ojm") {
                recorded << FileChange::rename(dir.filePath("a.ojm"), dir.filePath("b.ojm"), "OJM");
                put(dir.filePath("b.ojm"), "OJM");
            } else {
                recorded << (what == "rename" ? FileChange::rename(path("a"), path("b"), old) : FileChange::copy(path("a"), path("b"), old));
                put(path("b"), old);
                if (what == "copy")
                    put(path("a"), old);
            }
        }
        FileHistory history;
        QSignalSpy changed(&history, &FileHistory::changed);
        QSignalSpy progress(&history, &FileHistory::progress);
        QSignalSpy replayed(&history, &FileHistory::replayed);
        history.record(HistoryStep::Kind(kind), charts, recorded, changes.contains("list") ? path("list") : QString());
        QCOMPARE(history.undoStep()->name(), name);
        if (cancelled)
            connect(&history, &FileHistory::changed, &history, [&] { history.cancel(); });
        QVERIFY(history.undo());
        QVERIFY(history.replaying() && !history.undo());
        QVERIFY(replayed.wait(20000));
        const ReplayReport said = replayed.first().first().value<ReplayReport>();
        QCOMPARE(changed.size(), 3); // recorded, begun, ended
        QCOMPARE(said.stepName, name);
        QCOMPARE(said.cancelled, cancelled);
        QCOMPARE(said.filesWritten, cancelled ? 0 : recorded.size());
        QCOMPARE(progress.isEmpty(), cancelled);
        QCOMPARE(history.undoStep() != nullptr, cancelled); // the place moved, or stayed
        QCOMPARE(history.redoStep() != nullptr, !cancelled);
        QStringList flags;
        if (!said.chartsSaved.isEmpty())
            flags << "saved";
        for (const QString &saved : said.chartsSaved)
            flags << QFileInfo(saved).baseName();
        for (const auto &[from, to] : said.chartsMoved)
            flags << "moved" << QFileInfo(from).baseName() + '>' + QFileInfo(to).baseName();
        if (said.songListTouched)
            flags << "list";
        if (said.namesChanged)
            flags << "names";
        QCOMPARE(flags.join(' '), report);
        QCOMPARE(bytesAt(recorded.first().pathBefore()), cancelled ? edited : old);
    }

    void boundLetsOlderStepsGo()
    {
        FileHistory history(3000);
        const QByteArray chart = chartLike(2000);
        for (int i = 1; i <= 3; ++i)
            history.record(HistoryStep::Kind::Import, i, {FileChange::create(QStringLiteral("/x/%1").arg(i), chart)});
        QVERIFY(history.olderStepsDropped());
        QCOMPARE(history.undoStep()->name(), "Import (3 charts)"); // the newest always stays
        QSignalSpy replayed(&history, &FileHistory::replayed);
        QVERIFY(history.undo() && replayed.wait(20000));
        QVERIFY(!history.undoStep());
        QCOMPARE(history.redoStep()->name(), "Import (3 charts)");
        history.record(HistoryStep::Kind::Import, 4, {FileChange::create(QStringLiteral("/x/4"), chart)});
        QVERIFY(!history.redoStep()); // a new step ends what could be redone
    }
};

QTEST_GUILESS_MAIN(FileHistoryTest)
#include "tst_file_history.moc"
