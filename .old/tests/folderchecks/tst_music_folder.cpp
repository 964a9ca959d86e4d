#include "folderchecks/ChartBatchCheck.h"
#include "support/ChartBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace ojn;
using namespace ojn::test;

class MusicFolderTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    MusicFolderCheck m_check;

    void chart(const QString &name, qint32 id, const QByteArray &ojm)
    {
        ChartBuilder().noteSections(2, 2, 2).songId(id).ojmBytes(ojm + QByteArray(32 - ojm.size(), '\0'))
            .writeTo(m_dir.filePath(name));
    }

private slots:
    void initTestCase()
    {
        chart("o2ma100.ojn", 100, "o2ma100.ojm");
        chart("o2ma101.ojn", 100, "o2ma100.ojm");
        chart("O2MA102_2.OJN", 102, "o2ma102.ojm");
        chart("Tutorial.ojn", 5, "Tutorial.ojm");
        chart("silent.ojn", 7, "");
        chart("neg.ojn", -5, "neg.ojm");
        chart("o2ma103.ojn", 103, "o2ma103.ojm");
        writeFile(m_dir.filePath("broken.ojn"), "too short");
        ChartBuilder().noteSections(2, 2, 2).songId(100).putBytes(4, "OJN").writeTo(m_dir.filePath("copy.ojn"));
        for (const char *other : {"O2MA100.OJM", "tutorial.ojm", "notes.txt", "neg.ojm"})
            writeFile(m_dir.filePath(other), "x");
        QDir(m_dir.path()).mkdir("sub");
        QDir(m_dir.path()).mkdir("old.OJN");
        QDir(m_dir.path()).mkdir("o2ma103.ojm");
#ifndef Q_OS_WIN
        QVERIFY(QFile::link("/nonexistent-drive/far.ojn", m_dir.filePath("far.ojn")));
        QVERIFY(::mkfifo(QFile::encodeName(m_dir.filePath("pipe.ojn")).constData(), 0644) == 0);
#endif
        chart("sub/o2ma200.ojn", 200, "o2ma200.ojm");
        m_check = checkMusicFolder(m_dir.path(), CheckDepth::NoteSections, TextCodec(1252));
        QVERIFY2(m_check.listing.error.isEmpty(), qPrintable(m_check.listing.error));
        // The .ojn entries in the folder itself, any case, files or not (no links or pipes on Windows).
        QCOMPARE(m_check.charts.size(), QFileInfo(m_dir.filePath("pipe.ojn")).exists() ? 12 : 10);
        QCOMPARE(QFileInfo(m_check.charts.first().path).fileName(), "broken.ojn");
        QVERIFY(!m_check.cancelled);
    }

    void folderFindings_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<int>>("types");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("chartText"); // a chart without a header: its own first finding
        using T = FindingType;
        QTest::newRow("sound, OJM in another case") << "o2ma100.ojn" << QList<int>{int(T::DuplicateSongId)}
                                                    << "Song ID 100 is used by 2 charts: o2ma100.ojn, o2ma101.ojn." << "";
        QTest::newRow("named for another ID") << "o2ma101.ojn" << QList<int>{int(T::DuplicateSongId), int(T::FileNameSongId)}
                                              << "file name says song ID 101, but the header holds song ID 100" << "";
        QTest::newRow("revision, OJM absent") << "O2MA102_2.OJN" << QList<int>{int(T::OjmMissing)}
                                              << "\"o2ma102.ojm\" named in the header is not in the folder" << "";
        QTest::newRow("other OJM name") << "Tutorial.ojn" << QList<int>{int(T::OjmName)} << "would name it \"o2ma5.ojm\"" << "";
        QTest::newRow("no OJM named") << "silent.ojn" << QList<int>{int(T::OjmMissing)} << "names no OJM file" << "";
        QTest::newRow("unreadable") << "broken.ojn" << QList<int>{} << QString() << "too short to be an OJN chart";
        QTest::newRow("no chart, so no song") << "copy.ojn" << QList<int>{} << QString() << "The header has no \"ojn\" signature at byte 4.";
        QTest::newRow("negative song ID: no name suggested") << "neg.ojn" << QList<int>{int(T::InvalidSongId)} << "song ID -5, which is invalid" << "";
        QTest::newRow("OJM a folder") << "o2ma103.ojn" << QList<int>{int(T::OjmMissing)} << "The OJM file \"o2ma103.ojm\" named in the header cannot be read: it is a folder." << "";
        QTest::newRow("a folder named .ojn") << "old.OJN" << QList<int>{} << QString() << "The chart cannot be read: it is a folder.";
#ifndef Q_OS_WIN
        QTest::newRow("a link to a drive not mounted") << "far.ojn" << QList<int>{} << QString() << "The chart cannot be read: it is a link to /nonexistent-drive/far.ojn, which does not exist.";
        QTest::newRow("a named pipe") << "pipe.ojn" << QList<int>{} << QString() << "The chart cannot be read: it is a named pipe (FIFO).";
#endif
    }
    void folderFindings()
    {
        QFETCH(QString, file);
        QFETCH(QList<int>, types);
        QFETCH(QString, text);
        QFETCH(QString, chartText);
        const qsizetype i = m_check.listing.chartPaths.indexOf(m_dir.filePath(file));
        QVERIFY(i >= 0);
        const ChartScan &chart = m_check.charts[i];
        QCOMPARE(chart.header.has_value(), chartText.isEmpty());
        QVERIFY2(chart.unreadableReason().contains(chartText), qPrintable(chart.unreadableReason()));
        QList<int> found;
        for (const Finding &f : m_check.folderFindings[i])
            found.append(int(f.type));
        QCOMPARE(found, types);
        if (!types.isEmpty())
            QVERIFY2(m_check.folderFindings[i].last().text.contains(text), qPrintable(m_check.folderFindings[i].last().text));
    }

    void cancelAndVanishedFiles()
    {
        std::atomic_bool cancel = false;
        QList<qsizetype> progress;
        const ScanControl control{&cancel, [&](qsizetype done, qsizetype total) {
                                      progress.append(done);
                                      cancel = done == 2 && total == 3;
                                  }};
        const QStringList paths{m_dir.filePath("gone.ojn"), m_dir.filePath("o2ma100.ojn"), m_dir.filePath("silent.ojn")};
        const QList<ChartScan> scans = checkChartFiles(paths, CheckDepth::NoteSections, control);
        QCOMPARE(progress, (QList<qsizetype>{1, 2}));
        QCOMPARE(scans.size(), 2);
        QVERIFY(!scans[0].header && scans[0].unreadableReason().contains("could not be opened"));
        QVERIFY(scans[1].header && scans[1].noteSectionsChecked && scans[1].findings.isEmpty());
    }

    void unlistableFolders_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing") << m_dir.filePath("nowhere") << "does not exist";
        QTest::newRow("a file") << m_dir.filePath("notes.txt") << "is not a folder";
    }
    void unlistableFolders()
    {
        QFETCH(QString, path);
        QFETCH(QString, error);
        const FolderListing listing = listFolder(path);
        QVERIFY2(listing.error.contains(error) && listing.error.contains(QDir::toNativeSeparators(path)), qPrintable(listing.error));
        QVERIFY(listing.chartPaths.isEmpty());
        // No OJM is looked for then, but a header that names none still says so.
        const QList<Findings> found = checkFolder(m_check.charts, listing, TextCodec(1252));
        for (qsizetype i = 0; i < found.size(); ++i) {
            const auto missing = std::count_if(found[i].cbegin(), found[i].cend(),
                                               [](const Finding &f) { return f.type == FindingType::OjmMissing; });
            QCOMPARE(missing, m_check.charts[i].path.endsWith("silent.ojn") ? 1 : 0);
        }
    }

    void songIdFromFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("id");
        QTest::newRow("plain") << "o2ma100.ojn" << qint64(100);
        QTest::newRow("revision, capitals") << "O2MA0042_v2.OJN" << qint64(42);
        QTest::newRow("empty version") << "o2ma100_.ojn" << qint64(-1);
        QTest::newRow("no digits") << "o2ma.ojn" << qint64(-1);
        QTest::newRow("letters after digits") << "o2ma12a.ojn" << qint64(-1);
        QTest::newRow("other name") << "Tutorial.ojn" << qint64(-1);
    }
    void songIdFromFileNames()
    {
        QFETCH(QString, name);
        QFETCH(qint64, id);
        QCOMPARE(songIdFromFileName(name).value_or(-1), id);
    }
};

QTEST_GUILESS_MAIN(MusicFolderTest)
#include "tst_music_folder.moc"
