// Undo and redo of recorded file changes: the exact bytes and names come
// back, a file changed since is left alone; the history replays its steps
// off the caller's thread, moves its own place and says what it did; and
// its bound.
#include "filehistory/FileHistory.h"
#include "fileio/FileContent.h"

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

// Undoes or redoes the history's step and waits for its report.
ReplayReport replay(FileHistory &history, FileChange::Direction direction)
{
    QSignalSpy replayed(&history, &FileHistory::replayed);
    const bool begun = direction == FileChange::Direction::Undo ? history.undo() : history.redo();
    // A second replay never begins while one runs.
    if (begun && !history.undo() && replayed.wait(20000))
        return replayed.first().first().value<ReplayReport>();
    ReplayReport none;
    none.failed << QStringLiteral("no replay");
    return none;
}

// What a report says of the charts and names, as words.
QString flagsOf(const ReplayReport &report)
{
    QStringList flags;
    for (const QString &saved : report.chartsSaved)
        flags << "saved" << QFileInfo(saved).baseName();
    for (const auto &[from, to] : report.chartsMoved)
        flags << "moved" << QFileInfo(from).baseName() + '>' + QFileInfo(to).baseName();
    if (report.namesChanged)
        flags << "names";
    return flags.join(' ');
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

    // Each kind of change, a step of its own undone by the history on its
    // thread, then redone: untouched, the files come back exactly and the
    // report says what it did; over a file someone touched since, that
    // file is skipped and left as it is. Steps are named for their command
    // and charts.
    void kindsGuarded_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("touched");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("report"); // the undo's: charts saved, moved, names changed
        using Kind = FileChange::Kind;
        using Step = HistoryStep::Kind;
        for (const auto &[row, kind, step, name, report] :
             {std::tuple{"edit", Kind::Edit, Step::EditSelected, "Edit Selected (1 chart)", "saved a"},
              {"create", Kind::Create, Step::Import, "Import (1 chart)", "names"},
              {"remove", Kind::Remove, Step::ResolveDuplicateIds, "Resolve Duplicate IDs (1 chart)", "saved a names"},
              {"rename", Kind::Rename, Step::NameFilesForIds, "Name Files for IDs (1 chart)", "moved b>a names"},
              {"copy", Kind::Copy, Step::AddCharts, "Add Charts (1 chart)", "names"}}) {
            QTest::addRow("%s", row) << int(kind) << false << int(step) << name << report;
            QTest::addRow("%s, touched since", row) << int(kind) << true << int(step) << name << (kind == Kind::Edit ? "" : "names");
        }
    }
    void kindsGuarded()
    {
        QFETCH(int, kind);
        QFETCH(bool, touched);
        QFETCH(int, step);
        QFETCH(QString, name);
        QFETCH(QString, report);
        QTemporaryDir dir;
        const QString a = dir.filePath("a.ojn"), b = dir.filePath("b.ojn");
        const QByteArray old = chartLike(500), edited = chartLike(300);
        QList<FileChange> changes;
        QString left; // the file as the step left it, or empty when it removed it
        switch (FileChange::Kind(kind)) {
        case FileChange::Kind::Edit: changes << FileChange::edit(a, old, edited); put(a, edited); left = a; break;
        case FileChange::Kind::Create: changes << FileChange::create(a, edited); put(a, edited); left = a; break;
        case FileChange::Kind::Remove: changes << FileChange::remove(a, old); break;
        case FileChange::Kind::Rename: changes << FileChange::rename(a, b, old); put(b, old); left = b; break;
        case FileChange::Kind::Copy: changes << FileChange::copy(a, b, old); put(a, old); put(b, old); left = b; break;
        }
        if (touched)
            put(left.isEmpty() ? a : left, "someone else's");
        FileHistory history;
        history.record(HistoryStep::Kind(step), 1, changes);
        QCOMPARE(history.undoStep()->name(), name);
        const ReplayReport undone = replay(history, FileChange::Direction::Undo);
        QCOMPARE(undone.stepName, name);
        QCOMPARE(undone.skipped.size(), touched ? 1 : 0);
        QVERIFY(!touched || undone.skipped[0].startsWith(QFileInfo(left.isEmpty() ? a : left).fileName() + ": ")); // named
        QVERIFY2(undone.failed.isEmpty(), qPrintable(undone.failed.join('\n')));
        QCOMPARE(flagsOf(undone), report);
        if (touched) {
            QCOMPARE(bytesAt(left.isEmpty() ? a : left), "someone else's");
            return;
        }
        const bool hadA = FileChange::Kind(kind) != FileChange::Kind::Create;
        const bool keepsA = FileChange::Kind(kind) != FileChange::Kind::Rename && FileChange::Kind(kind) != FileChange::Kind::Remove;
        QCOMPARE(bytesAt(a), hadA ? old : QByteArray("<none>"));
        QCOMPARE(QFile::exists(b), false);
        const ReplayReport redone = replay(history, FileChange::Direction::Redo);
        QVERIFY(redone.skipped.isEmpty() && redone.failed.isEmpty());
        if (!left.isEmpty())
            QCOMPARE(bytesAt(left), FileChange::Kind(kind) == FileChange::Kind::Rename || FileChange::Kind(kind) == FileChange::Kind::Copy ? old : edited);
        QCOMPARE(QFile::exists(a), keepsA);
    }

    // The song list's step, its list reported touched, undone whole or
    // cancelled before its first file, which keeps the place. The history
    // says when it changed: recorded, begun, ended.
    void songListStepPlaced_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("undone") << false;
        QTest::newRow("cancelled") << true;
    }
    void songListStepPlaced()
    {
        QFETCH(bool, cancelled);
        QTemporaryDir dir;
        const QString list = dir.filePath("OJNList.dat");
        put(list, "after");
        FileHistory history;
        QSignalSpy changed(&history, &FileHistory::changed);
        QSignalSpy progress(&history, &FileHistory::progress);
        history.record(HistoryStep::Kind::UpdateSongList, 0, {FileChange::edit(list, "before", "after")}, list);
        QCOMPARE(history.undoStep()->name(), "Update Song List");
        if (cancelled)
            connect(&history, &FileHistory::changed, &history, [&] { history.cancel(); });
        const ReplayReport undone = replay(history, FileChange::Direction::Undo);
        QCOMPARE(undone.cancelled, cancelled);
        QCOMPARE(undone.songListTouched, !cancelled);
        QCOMPARE(changed.size(), 3);
        QCOMPARE(progress.isEmpty(), cancelled);
        QCOMPARE(bytesAt(list), cancelled ? "after" : "before");
        QCOMPARE(history.undoStep() != nullptr, cancelled); // the place moved, or stayed
        QCOMPARE(history.redoStep() != nullptr, !cancelled);
    }

    void boundLetsOlderStepsGo()
    {
        FileHistory history(3000);
        const QByteArray chart = chartLike(2000);
        for (int i = 1; i <= 3; ++i)
            history.record(HistoryStep::Kind::Import, i, {FileChange::create(QStringLiteral("/x/%1").arg(i), chart)});
        QVERIFY(history.olderStepsDropped());
        QCOMPARE(history.undoStep()->name(), "Import (3 charts)"); // the newest always stays
        QVERIFY(!replay(history, FileChange::Direction::Undo).cancelled && !history.undoStep());
        QCOMPARE(history.redoStep()->name(), "Import (3 charts)");
        history.record(HistoryStep::Kind::Import, 4, {FileChange::create(QStringLiteral("/x/4"), chart)});
        QVERIFY(!history.redoStep()); // a new step ends what could be redone
    }
};

QTEST_GUILESS_MAIN(FileHistoryTest)
#include "tst_file_history.moc"
