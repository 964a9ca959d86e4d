// New names never replace a file, whichever way the system gives them (a
// refusing rename, a link then the old name's removal, a copy as on FAT),
// each fallback reached by making the system seem to lack the ways before.
#include "fileio/NewFileNames.h"
#include "fileio/NewFileNamesTesting.h"
#include "support/ChartBuilder.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

class NewFileNamesTest : public QObject {
    Q_OBJECT
private slots:
    void newNamesNeverReplaceAFile_data()
    {
        QTest::addColumn<bool>("lacksOneStepMove");
        QTest::addColumn<bool>("lacksLinks");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<bool>("taken"); // the new name is there (for a new file: made while it is written)
        for (const auto &[way, oneStep, links] : {std::tuple{"one step", false, false}, {"by a link", true, false}, {"by a copy", true, true}}) {
            for (const char *operation : {"move", "second name", "new file"}) {
                for (const bool taken : {false, true})
                    QTest::addRow("%s %s, %s", operation, way, taken ? "the name taken" : "the name free")
                        << oneStep << links << QString::fromLatin1(operation) << taken;
            }
        }
    }
    void newNamesNeverReplaceAFile()
    {
        QFETCH(bool, lacksOneStepMove);
        QFETCH(bool, lacksLinks);
        QFETCH(QString, operation);
        QFETCH(bool, taken);
        QTemporaryDir dir;
        const QString from = dir.filePath("song.ojm"), to = dir.filePath("o2ma100.ojm");
        writeFile(from, "the music");
        if (taken && operation != "new file")
            writeFile(to, "another file");
        newnames::pretendFileSystemLacks({lacksOneStepMove, lacksLinks});
        const auto write = [&](QIODevice &device) {
            if (taken)
                writeFile(to, "another file"); // another program, meanwhile
            return device.write("the music") == 9 ? Result<>::success() : Result<>::failure(device.errorString());
        };
        const Result<> outcome = operation == "move" ? moveWithoutReplacing(from, to)
            : operation == "second name" ? linkOrCopyToNewFile(from, to) : createNewFile(to, write);
        newnames::pretendFileSystemLacks({});

        QCOMPARE(outcome.ok(), !taken);
        const bool moved = !taken && operation == "move";
        QCOMPARE(readFile(to), taken ? QByteArray("another file") : QByteArray("the music"));
        QCOMPARE(readFile(from), moved ? QByteArray() : QByteArray("the music"));
        // Nothing else: no temporary file left, no second copy.
        QCOMPARE(entriesOf(dir.path()).size(), moved ? 1 : 2);
    }
};

QTEST_GUILESS_MAIN(NewFileNamesTest)
#include "tst_new_file_names.moc"
