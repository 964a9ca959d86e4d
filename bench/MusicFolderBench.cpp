#include "MusicFolderBench.h"

#include "Report.h"
#include "RawIo.h"

#include "musicfolderwindow/MusicFolderWindow.h"
#include "text/CodePage.h"
#include "folderchecks/ChartBatchCheck.h"
#include "dialogs/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTableView>
#include <QTimer>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>

namespace ojn::bench {
namespace {

constexpr int ChartCount = 10000;
constexpr int Runs = 5;

// A small but sound chart: the header, three note sections of 20
// packages each, a 4 KiB cover and a 1 KiB thumbnail.
QByteArray chartBytes(qint32 id, qint16 hx)
{
    QByteArray notes;
    qint32 offsets[3];
    for (int d = 0; d < 3; ++d) {
        offsets[d] = qint32(300 + notes.size());
        for (int k = 0; k < 20; ++k) {
            char package[8];
            qToLittleEndian<qint32>(k, package);
            qToLittleEndian<qint16>(qint16(2 + d), package + 4);
            qToLittleEndian<qint16>(qint16(k % 4), package + 6);
            notes += QByteArray(package, 8) + QByteArray(4 * (k % 4), char(k));
        }
    }
    QByteArray header(300, '\0');
    char *h = header.data();
    qToLittleEndian<qint32>(id, h);
    std::memcpy(h + 4, "ojn", 4);
    qToLittleEndian<qint16>(qint16(id % 11), h + 12);
    qToLittleEndian<float>(80.0f + float(id % 120), h + 16);
    qToLittleEndian<qint16>(qint16(id % 10), h + 20);
    qToLittleEndian<qint16>(qint16(id % 15), h + 22);
    qToLittleEndian<qint16>(hx, h + 24);
    for (int d = 0; d < 3; ++d) {
        qToLittleEndian<qint32>(20, h + 64 + 4 * d);
        qToLittleEndian<qint32>(100 + id % 900, h + 40 + 4 * d);
        qToLittleEndian<qint32>(90 + id % 200, h + 272 + 4 * d);
        qToLittleEndian<qint32>(offsets[d], h + 284 + 4 * d);
    }
    const QByteArray title = "Song " + QByteArray::number(id * 7919 % 100003);
    std::memcpy(h + 108, title.constData(), size_t(title.size()));
    std::memcpy(h + 172, "Artist ", 7);
    std::memcpy(h + 179, QByteArray::number(id % 300).constData(), size_t(QByteArray::number(id % 300).size()));
    std::memcpy(h + 204, "Pattern", 7);
    const QByteArray ojm = "o2ma" + QByteArray::number(id) + ".ojm";
    std::memcpy(h + 236, ojm.constData(), size_t(ojm.size()));
    const QByteArray cover(4096, char(0x5a)), thumbnail(1024, char(0x42));
    qToLittleEndian<qint32>(qint32(300 + notes.size()), h + 296);
    qToLittleEndian<qint32>(qint32(cover.size()), h + 268);
    qToLittleEndian<qint32>(qint32(thumbnail.size()), h + 100);
    return header + notes + cover + thumbnail;
}

// Music/ with the charts and their OJMs, and Image/OJNList.dat listing
// nine in ten of them, one in a hundred with an older level.
QString writeGameFolder(const QString &folder)
{
    QDir game(folder + QStringLiteral("/game"));
    game.removeRecursively();
    if (!game.mkpath("Music") || !game.mkpath("Image"))
        fail(QStringLiteral("cannot make ") + game.path());
    QByteArray list(4, '\0');
    qint32 listed = 0;
    for (int i = 0; i < ChartCount; ++i) {
        const qint32 id = 1000 + i;
        const QByteArray chart = chartBytes(id, qint16(id % 20));
        const QString base = game.filePath(QStringLiteral("Music/o2ma%1").arg(id));
        QFile ojn(base + ".ojn"), ojm(base + ".ojm");
        if (!ojn.open(QIODevice::WriteOnly) || ojn.write(chart) != chart.size() || !ojm.open(QIODevice::WriteOnly))
            fail(QStringLiteral("cannot write ") + base);
        if (i % 10 != 0) {
            list += i % 100 == 1 ? chartBytes(id, 99).left(300) : chart.left(300);
            ++listed;
        }
    }
    qToLittleEndian<qint32>(listed, list.data());
    QFile file(game.filePath("Image/OJNList.dat"));
    if (!file.open(QIODevice::WriteOnly) || file.write(list + QByteArray(64, '\x01')) != list.size() + 64)
        fail(QStringLiteral("cannot write the song list"));
    return game.filePath("Music");
}

// The benchmark asks nothing; a question would mean something went wrong.
class NoDialogs final : public Dialogs {
public:
    QString askFileName(QWidget *, FileDialogMode, const QString &, const QString &) override { return {}; }
    QStringList askFileNames(QWidget *, const QString &, const QString &) override { return {}; }
    QString askFolder(QWidget *, const QString &, const QString &) override { return {}; }
    MessageAnswer showMessage(QWidget *, const QString &text, const QString &, MessageIcon, MessageButtons) override
    {
        fail(QStringLiteral("the window said: ") + text);
    }
    void showModal(QDialog &) override {}
    void endProgram() override {}
};

// The longest time the event loop went without running a 5 ms timer,
// less those 5 ms: how long the window could not answer input.
class StallWatch {
public:
    StallWatch()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_sinceTick.nsecsElapsed() / 1e6 - 5.0);
            m_sinceTick.restart();
        });
    }
    void start()
    {
        m_longest = 0;
        m_sinceTick.start();
        m_timer.start();
    }
    double longestMs() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    double m_longest = 0;
};

struct WindowScan {
    double headerSeconds = 0;
    double headerStallMs = 0;
    double wholeStallMs = 0;
};

WindowScan scanInWindow(MusicFolderWindow &window, const QString &music)
{
    WindowScan scan;
    StallWatch watch;
    QEventLoop loop;
    QElapsedTimer clock;
    const auto headers = QObject::connect(&window, &MusicFolderWindow::headerScanFinished, [&] {
        scan.headerSeconds = clock.nsecsElapsed() / 1e9;
        scan.headerStallMs = watch.longestMs();
    });
    const auto done = QObject::connect(&window, &MusicFolderWindow::workFinished, &loop, &QEventLoop::quit);
    // Opened from inside the event loop, as a click would, so that its own
    // time on the window's thread counts as a stall too.
    QTimer::singleShot(0, &window, [&] {
        watch.start();
        clock.start();
        window.openFolder(music);
    });
    loop.exec();
    scan.wholeStallMs = watch.longestMs();
    QObject::disconnect(headers);
    QObject::disconnect(done);
    if (window.catalogue().charts().size() != ChartCount)
        fail(QStringLiteral("the window read %1 charts").arg(window.catalogue().charts().size()));
    return scan;
}

} // namespace

void benchMusicFolderWindow(const QString &folder)
{
    const QString music = writeGameFolder(folder);
    const TextCodec codec(systemAnsiCodePage());
    NoDialogs dialogs;
    MusicFolderWindow window(dialogs);
    window.show();
    QCoreApplication::processEvents();

    std::vector<double> check, windowScan, headerStalls, wholeStalls;
    // The first of each warms the page cache and the file system's caches.
    for (int run = 0; run <= Runs; ++run) {
        const double checked = secondsOf([&] {
            if (checkMusicFolder(music, CheckDepth::Header, codec).charts.size() != ChartCount)
                fail(QStringLiteral("check missed charts"));
        });
        const WindowScan scan = scanInWindow(window, music);
        if (run == 0)
            continue;
        check.push_back(checked);
        windowScan.push_back(scan.headerSeconds);
        headerStalls.push_back(scan.headerStallMs);
        wholeStalls.push_back(scan.wholeStallMs);
    }
    std::printf("  %d charts, medians of %d runs\n", ChartCount, Runs);
    printRatio(QStringLiteral("window's header scan vs check"), median(windowScan), median(check), 1.3);
    const auto worst = [](const std::vector<double> &values) { return *std::max_element(values.begin(), values.end()); };
    std::printf("  longest event-loop stall, header scan   %8.1f ms (worst run %.1f ms; target < 100)\n",
                median(headerStalls), worst(headerStalls));
    std::printf("  longest event-loop stall, with notes    %8.1f ms (worst run %.1f ms; target < 100)\n",
                median(wholeStalls), worst(wholeStalls));

    // Sorting 10,000 rows, each column each way, as a click on its header
    // does, the view's repaint included.
    std::printf("  sorting %d rows by a column (ascending / descending, ms):\n", ChartCount);
    std::vector<double> sorts;
    for (int column = 0; column < ChartColumnCount; ++column) {
        double times[2];
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            times[order] = secondsOf([&] {
                window.ChartTable->sortByColumn(column, order);
                QCoreApplication::processEvents();
            });
            sorts.push_back(times[order]);
        }
        std::printf("    %-10s %7.1f / %7.1f\n",
                    qPrintable(window.table().headerData(column, Qt::Horizontal).toString()), times[0] * 1e3,
                    times[1] * 1e3);
    }
    std::printf("    median %.1f ms, slowest %.1f ms\n", median(sorts) * 1e3, worst(sorts) * 1e3);
    std::fflush(stdout);
    QDir(folder + QStringLiteral("/game")).removeRecursively();
}

} // namespace ojn::bench
