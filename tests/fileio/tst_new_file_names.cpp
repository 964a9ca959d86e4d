// New names never replace a file, whichever way the system gives them: a
// rename that refuses a taken name, a second name (a link) and then the old
// one's removal, or a copy through a new file, as on FAT and exFAT. The
// fallbacks are reached here by making the system look as if it lacked
// the ways before them.
#include "fileio/NewFileNames.h"
#include "fileio/NewFileNamesTesting.h"
#include "support/ChartBuilder.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace ojn;
using namespace ojn::test;

namespace {

// The file's identity where the system shows it (0 elsewhere): a move
// that renames or links keeps it, a copy does not.
quint64 fileNumber(const QString &path)
{
#ifndef Q_OS_WIN
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? quint64(status.st_ino) : 0;
#else
    (void)path;
    return 0;
#endif
}

} // namespace

class NewFileNamesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { newnames::pretendFileSystemLacks({}); }

    void newNamesNeverReplaceAFile_data()
    {
        QTest::addColumn<bool>("lacksOneStepMove");
        QTest::addColumn<bool>("lacksLinks");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<bool>("taken"); // the new name is there (for a new file: made while it is written)
        const QList<std::tuple<const char *, bool, bool>> ways{
            {"one step", false, false}, {"by a link", true, false}, {"by a copy", true, true}};
        for (const auto &[way, oneStep, links] : ways) {
            for (const char *operation : {"move", "second name", "new file"}) {
                for (const bool taken : {false, true}) {
                    QTest::addRow("%s %s, %s", operation, way, taken ? "the name taken" : "the name free")
                        << oneStep << links << QString::fromLatin1(operation) << taken;
                }
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
        const quint64 number = fileNumber(from);
        newnames::pretendFileSystemLacks({lacksOneStepMove, lacksLinks});

        Result<> outcome = Result<>::success();
        if (operation == "move")
            outcome = moveWithoutReplacing(from, to);
        else if (operation == "second name")
            outcome = linkOrCopyToNewFile(from, to);
        else
            outcome = createNewFile(to, [&](QIODevice &device) {
                if (taken)
                    writeFile(to, "another file"); // another program, meanwhile
                return device.write("the music") == 9 ? Result<>::success() : Result<>::failure(device.errorString());
            });
        newnames::pretendFileSystemLacks({});

        QCOMPARE(outcome.ok(), !taken);
        const bool moved = !taken && operation == "move";
        QCOMPARE(readFile(to), taken ? QByteArray("another file") : QByteArray("the music"));
        QCOMPARE(QFileInfo::exists(from), !moved);
        if (!moved)
            QCOMPARE(readFile(from), QByteArray("the music"));
        // Nothing else: no temporary file, no second copy.
        const QStringList left = moved ? QStringList{"o2ma100.ojm"} : QStringList{"o2ma100.ojm", "song.ojm"};
        QCOMPARE(entriesOf(dir.path()), left);
        // The way asked for was the way taken.
        if (!taken && operation != "new file" && number != 0)
            QCOMPARE(fileNumber(to) == number, !(lacksLinks && (lacksOneStepMove || operation == "second name")));
    }
};

QTEST_GUILESS_MAIN(NewFileNamesTest)
#include "tst_new_file_names.moc"
