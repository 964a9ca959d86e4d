// Every write, the flush, the sync to disk and the final rename of a chart
// save are made to fail in turn; the chart on disk must stay as it was, no
// temporary file may stay behind, and the message must say what failed.
#include "model/ChartFile.h"
#include "model/ChartReader.h"
#include "model/ChartWriter.h"
#include "fileio/SafeFileWriter.h"
#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

using namespace ojn;
using namespace ojn::test;

namespace {

QString reasonText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Passes writes through to the real file until write number `failingWrite`;
// that one stores half of its bytes (as a disk filling up does) and every
// write from then on fails with `reason`.
class FaultyDevice final : public QIODevice {
public:
    FaultyDevice(QIODevice &inner, int failingWrite, QString reason)
        : m_inner(inner), m_failingWrite(failingWrite), m_reason(std::move(reason))
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    int writes() const { return m_writes; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        ++m_writes;
        if (m_broken) {
            setErrorString(m_reason);
            return -1;
        }
        if (m_writes == m_failingWrite) {
            m_broken = true;
            const qint64 half = size / 2;
            if (half == 0) {
                setErrorString(m_reason);
                return -1;
            }
            return m_inner.write(data, half);
        }
        return m_inner.write(data, size);
    }

private:
    QIODevice &m_inner;
    int m_failingWrite;
    QString m_reason;
    int m_writes = 0;
    bool m_broken = false;
};

// A chart save with the faults of one test row: the same steps as
// saveChartFile, with the device and the file system steps wrapped.
Result<> faultySave(const ChartRecord &record, const QString &path, int failingWrite, const QString &reason,
                   const SafeWriteSteps &steps)
{
    return writeFileSafely(
        path,
        [&](QIODevice &file) {
            FaultyDevice device(file, failingWrite, reason);
            return writeChart(record, device);
        },
        steps);
}

} // namespace

class SaveFaultsTest : public QObject {
    Q_OBJECT
private:
    QByteArray m_oldChart;
    ChartRecord m_newRecord;

private slots:
    void initTestCase()
    {
        m_oldChart = ChartBuilder().noteData(QByteArray(300000, 'o')).build();
        ChartRecord record = recordOf(ChartBuilder()
                                          .noteData(QByteArray(700000, 'n'))
                                          .cover(jpegBytes(QSize(800, 600), Qt::darkCyan))
                                          .thumbnail(bmpBytes(QSize(79, 78), Qt::yellow))
                                          .build());
        record.Title = "A new title";
        m_newRecord = record;
    }

    void aSaveWritesItsPiecesOneByOne()
    {
        // The rows below assume the four pieces the writer promises.
        QTemporaryDir dir;
        int writes = 0;
        const Result<> outcome = writeFileSafely(dir.filePath("c.ojn"), [&](QIODevice &file) {
            FaultyDevice device(file, 0, QString());
            const Result<> written = writeChart(m_newRecord, device);
            writes = device.writes();
            return written;
        });
        QVERIFY2(outcome.ok(), qPrintable(outcome.error()));
        QCOMPARE(writes, 4);
    }

    void eachFailingStepLeavesTheChartAsItWas_data()
    {
        QTest::addColumn<int>("failingWrite");
        QTest::addColumn<QString>("failingStep"); // flush, sync, replace or empty
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<QString>("whatFailed");

        const struct {
            const char *name;
            int error;
        } errors[] = {{"out of space", ENOSPC}, {"I/O error", EIO}};
        for (const auto &e : errors) {
            for (bool exists : {true, false}) {
                const QString target = exists ? "over the old chart" : "as a new file";
                auto row = [&](const char *step, int failingWrite, const char *failingStep, const char *whatFailed) {
                    QTest::newRow(qPrintable(QString("%1, %2, %3").arg(QLatin1String(step), QLatin1String(e.name), target)))
                        << failingWrite << QString(failingStep) << e.error << exists << QString(whatFailed);
                };
                row("header write", 1, "", "Writing the header failed");
                row("note data write", 2, "", "Writing the note data failed");
                row("cover write", 3, "", "Writing the cover image failed");
                row("thumbnail write", 4, "", "Writing the thumbnail failed");
                row("flush", 0, "flush", "Flushing the new file failed");
                row("sync to disk", 0, "sync", "Writing the new file to disk failed");
                row("rename", 0, "replace", "Putting the new file in place of the old one failed");
            }
        }
    }
    void eachFailingStepLeavesTheChartAsItWas()
    {
        QFETCH(int, failingWrite);
        QFETCH(QString, failingStep);
        QFETCH(int, error);
        QFETCH(bool, targetExists);
        QFETCH(QString, whatFailed);

        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ojn");
        if (targetExists)
            writeFile(path, m_oldChart);

        const QString reason = reasonText(error);
        SafeWriteSteps steps;
        bool stepRan = false;
        auto fail = [&] {
            stepRan = true;
            return Result<>::failure(reason);
        };
        if (failingStep == "flush")
            steps.flush = [&](QFile &) { return fail(); };
        else if (failingStep == "sync")
            steps.sync = [&](QFile &) { return fail(); };
        else if (failingStep == "replace")
            steps.replace = [&](const QString &, const QString &) { return fail(); };

        const Result<> outcome = faultySave(m_newRecord, path, failingWrite, reason, steps);

        QVERIFY(!outcome.ok());
        QVERIFY(failingStep.isEmpty() || stepRan);
        const QString message = outcome.error();
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
        QVERIFY2(message.contains(whatFailed), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        if (targetExists) {
            QVERIFY2(readFile(path) == m_oldChart, "the old chart changed");
            QCOMPARE(entriesOf(dir.path()), QStringList{"chart.ojn"});
        } else {
            QCOMPARE(entriesOf(dir.path()), QStringList{});
        }

        // The chart is still whole in memory: the next save writes it.
        const Result<> retry = saveChartFile(m_newRecord, path);
        QVERIFY2(retry.ok(), qPrintable(retry.error()));
        QCOMPARE(recordOf(readFile(path)).FullImageData, m_newRecord.FullImageData);
        QCOMPARE(entriesOf(dir.path()), QStringList{"chart.ojn"});
    }
};

QTEST_MAIN(SaveFaultsTest)
#include "tst_save_faults.moc"
