// Undo and redo of recorded file changes: the exact bytes and names come
// back, a file changed since is left alone, and the history's bound.
#include "filehistory/FileHistory.h"

#include <QDir>
#include <QFile>
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
        HistoryStep step{QStringLiteral("Step"), {}};
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
        const ReplayOutcome undone = replayStep(step, FileChange::Direction::Undo);
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
        const ReplayOutcome redone = replayStep(step, FileChange::Direction::Redo);
        QVERIFY(redone.skipped.isEmpty() && redone.failed.isEmpty());
        if (!left.isEmpty())
            QCOMPARE(bytesAt(left), FileChange::Kind(kind) == FileChange::Kind::Rename || FileChange::Kind(kind) == FileChange::Kind::Copy ? old : edited);
        QCOMPARE(QFile::exists(a), keepsA);
    }

    void boundLetsOlderStepsGo()
    {
        FileHistory history(3000);
        const QByteArray chart = chartLike(2000);
        for (int i = 0; i < 3; ++i)
            history.push({QStringLiteral("Step %1").arg(i), {FileChange::create(QStringLiteral("/x/%1").arg(i), chart)}});
        QVERIFY(history.olderStepsDropped());
        QCOMPARE(history.undoStep()->name, "Step 2"); // the newest always stays
        history.undone();
        QVERIFY(!history.undoStep());
        QCOMPARE(history.redoStep()->name, "Step 2");
        history.push({QStringLiteral("Step 3"), {}});
        QVERIFY(!history.redoStep()); // a new step ends what could be redone
    }
};

QTEST_GUILESS_MAIN(FileHistoryTest)
#include "tst_file_history.moc"
