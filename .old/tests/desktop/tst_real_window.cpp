// Starts the editor the way a desktop does, from its launcher with a chart
// (as a file manager opens one), in a real X11 window (under Xvfb, with the
// xcb platform), and checks what only a real window shows: the title and
// size hints a window manager reads, and the pixels on screen; then drives
// it with keys alone, through its real dialogs.
// EDITOR_SCALE_FACTOR=2 runs the editor with QT_SCALE_FACTOR=2, where every
// place on screen must double.
#include "support/ChartBuilder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <initializer_list>
#include <map>

namespace {

const QString kCaption = QStringLiteral("OJN Tevrik Editor [Packed Version]");
const QSize kClientArea(527, 295); // 7905 x 4425 twips

// Runs a command-line tool and returns what it printed, or an empty text
// when it failed.
QString outputOf(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(5000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return {};
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QString contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

// The ids of the editor's visible windows, one a line.
QString editorWindows()
{
    // Qt names the window class after the executable.
    return outputOf("xdotool", {"search", "--onlyvisible", "--classname", "^ojn-tevrik-editor$"});
}

QString editorWindowId()
{
    return editorWindows().section('\n', 0, 0);
}

QString windowProperty(const QString &windowId, const char *name)
{
    return outputOf("xprop", {"-id", windowId, QString::fromLatin1(name)});
}

// "NAME(TYPE) = a, b" -> "a, b"
QString propertyValue(const QString &xpropLine)
{
    return xpropLine.section(QStringLiteral(" = "), 1);
}

QSize sizeAfter(const QString &text, const QString &label)
{
    const QRegularExpression pattern(QRegularExpression::escape(label) + QStringLiteral(": (\\d+) by (\\d+)"));
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
}

int twipsToPixels(int twips)
{
    return qRound(twips / 15.0);
}

// A control's place in the client area, in pixels at scale 1, from its
// designed place in twips and those of the frames that contain it
// (outermost first), rounded the way the window rounds them.
QRect designedPlace(std::initializer_list<QRect> framesThenControl)
{
    QPoint topLeft;
    QRect last;
    for (const QRect &twips : framesThenControl) {
        topLeft += QPoint(twipsToPixels(twips.left()), twipsToPixels(twips.top()));
        last = twips;
    }
    return QRect(topLeft, QSize(twipsToPixels(last.width()), twipsToPixels(last.height())));
}

bool isOneColour(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return false;
    return true;
}

QRgb mostFrequentColour(const QImage &image)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) & RGB_MASK];
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto &a, const auto &b) { return a.second < b.second; })
        ->first;
}

} // namespace

class RealWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"),
                 "run this test under xvfb-run with QT_QPA_PLATFORM=xcb");
        m_scale = qMax(1, qEnvironmentVariableIntValue("EDITOR_SCALE_FACTOR"));
        QVERIFY2(editorWindowId().isEmpty(), "an editor window is already on this display");

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PATH", QStringLiteral(EDITOR_DIR ":") + environment.value("PATH"));
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("QT_SCALE_FACTOR", QString::number(m_scale));
        // The editor inherits the launcher's output; a file outlives the
        // launcher, where a pipe would break under the editor.
        const QString logPath = QStringLiteral(OUTPUT_DIR "/real-window-x%1.log").arg(m_scale);
        QProcess launcher;
        launcher.setProcessEnvironment(environment);
        launcher.setProcessChannelMode(QProcess::MergedChannels);
        launcher.setStandardOutputFile(logPath);
        // A short path: its text ends before the middle of the path box,
        // where the layout test looks at the box's outline.
        const QString chart = ojn::test::ChartBuilder().writeTo(m_charts.filePath("a.ojn"));
        QElapsedTimer clock;
        clock.start();
        launcher.start("gio", {"launch", QStringLiteral(DESKTOP_ENTRY), chart});
        QVERIFY2(launcher.waitForFinished(10000) && launcher.exitCode() == 0, qPrintable(contentsOf(logPath)));

        // Bounded poll: look for the window until it shows, for at most 10 s.
        QVERIFY2(QTest::qWaitFor([this] { return !(m_windowId = editorWindowId()).isEmpty(); }, 10000),
                 qPrintable("no editor window within 10 s; its output:\n" + contentsOf(logPath)));
        m_appearedAfterMs = clock.elapsed();
        m_editorPid = propertyValue(windowProperty(m_windowId, "_NET_WM_PID")).toLongLong();
        QVERIFY(m_editorPid > 0);

        // The first grab may come before the first paint: wait until two
        // grabs in a row agree and show more than one colour.
        QImage previous;
        const bool painted = QTest::qWaitFor([&] {
            QTest::qWait(50);
            const QImage image = QGuiApplication::primaryScreen()->grabWindow(m_windowId.toULongLong()).toImage();
            const bool stable = !image.isNull() && image == previous && !isOneColour(image);
            previous = image;
            return stable;
        }, 5000);
        QVERIFY2(painted, "the window never showed a steady picture");
        m_screenshot = previous.convertToFormat(QImage::Format_RGB32);
        m_screenshot.save(QStringLiteral(OUTPUT_DIR "/real-window-x%1.png").arg(m_scale));
        m_background = mostFrequentColour(m_screenshot);
        m_menuBarHeight = m_screenshot.height() - kClientArea.height() * m_scale;
    }

    void cleanupTestCase()
    {
        if (m_editorPid <= 0)
            return;
        ::kill(pid_t(m_editorPid), SIGTERM);
        if (!QTest::qWaitFor([] { return editorWindowId().isEmpty(); }, 5000))
            ::kill(pid_t(m_editorPid), SIGKILL);
    }

    void launcherStartsTheBuiltProgram()
    {
        QCOMPARE(QFileInfo(QStringLiteral("/proc/%1/exe").arg(m_editorPid)).canonicalFilePath(),
                 QFileInfo(QStringLiteral(EDITOR_DIR "/ojn-tevrik-editor")).canonicalFilePath());
    }

    void windowAppearsWithinSeconds()
    {
        QVERIFY2(m_appearedAfterMs < 5000, qPrintable(QStringLiteral("took %1 ms").arg(m_appearedAfterMs)));
    }

    void titleIsTheCaption_data()
    {
        QTest::addColumn<QString>("property");
        QTest::newRow("EWMH title") << "_NET_WM_NAME";
        QTest::newRow("ICCCM title") << "WM_NAME";
    }
    void titleIsTheCaption()
    {
        QFETCH(QString, property);
        QCOMPARE(propertyValue(windowProperty(m_windowId, qPrintable(property))), '"' + kCaption + '"');
    }

    void sizeHintsSayNotResizable()
    {
        const QString hints = windowProperty(m_windowId, "WM_NORMAL_HINTS");
        const QSize minimum = sizeAfter(hints, "program specified minimum size");
        const QSize maximum = sizeAfter(hints, "program specified maximum size");
        QVERIFY2(minimum.isValid() && maximum.isValid(), qPrintable(hints));
        QCOMPARE(minimum, maximum);

        const QString info = outputOf("xwininfo", {"-id", m_windowId});
        const QSize onScreen(info.section("Width: ", 1).section('\n', 0, 0).toInt(),
                             info.section("Height: ", 1).section('\n', 0, 0).toInt());
        QCOMPARE(onScreen, minimum);
        QCOMPARE(onScreen.width(), kClientArea.width() * m_scale);
        QVERIFY2(m_menuBarHeight > 0, "no room for the menu bar above the client area");
    }

    // _MOTIF_WM_HINTS holds flags, functions, decorations, input mode and
    // status. The flags say which of functions and decorations count; in
    // either, the bit "all" turns the list of the other bits into a list
    // of what is taken away.
    void motifHintsOfferNoMinimiseOrMaximise_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<uint>("bit");
        QTest::addColumn<bool>("offered");
        QTest::newRow("minimise function") << 1 << 0x08u << false;
        QTest::newRow("maximise function") << 1 << 0x10u << false;
        QTest::newRow("close function") << 1 << 0x20u << true;
        QTest::newRow("minimise button") << 2 << 0x20u << false;
        QTest::newRow("maximise button") << 2 << 0x40u << false;
        QTest::newRow("title bar") << 2 << 0x08u << true;
    }
    void motifHintsOfferNoMinimiseOrMaximise()
    {
        QFETCH(int, field);
        QFETCH(uint, bit);
        QFETCH(bool, offered);
        const QString line = windowProperty(m_windowId, "_MOTIF_WM_HINTS");
        const QStringList values = propertyValue(line).split(QStringLiteral(", "));
        QVERIFY2(values.size() == 5, qPrintable(line));
        const uint flags = values[0].toUInt(nullptr, 16);
        QVERIFY2(flags & (1u << (field - 1)), qPrintable(line)); // the field counts
        const uint set = values[field].toUInt(nullptr, 16);
        const bool isOffered = (set & 1u) ? !(set & bit) : bool(set & bit);
        QVERIFY2(isOffered == offered, qPrintable(line));
    }

    // Each control's outline must lie where its designed place says, give
    // or take a pixel, with no outline three pixels in or out (pixels of
    // the unscaled window: at scale 2 each is two on screen). Only edges
    // are looked at, so fonts do not matter. A frame's top edge runs
    // through its caption, and the text of the open chart starts just
    // inside a text box's left edge, so those edges are left out. "X": the
    // box shows the chart given to the launcher (empty, it has no text).
    void screenshotShowsTheLayout_data()
    {
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("edges");
        const QRect frame1(120, 480, 4335, 2415), frame4(4560, 480, 3255, 3495);
        QTest::newRow("PathBox") << designedPlace({{480, 120, 5775, 285}}) << "TRBX";
        QTest::newRow("BtnBrowseOJN") << designedPlace({{6360, 90, 1470, 330}}) << "LTRB";
        QTest::newRow("Frame1") << designedPlace({frame1}) << "LRB";
        QTest::newRow("TitleBox") << designedPlace({frame1, {840, 360, 3375, 285}}) << "TRBX";
        QTest::newRow("OJMBox") << designedPlace({frame1, {2400, 1800, 1815, 285}}) << "TRB";
        QTest::newRow("Frame2") << designedPlace({{120, 3000, 4335, 615}}) << "LRB";
        QTest::newRow("HxBox") << designedPlace({{120, 3000, 4335, 615}, {3120, 230, 735, 285}}) << "TRB";
        QTest::newRow("NoteEx") << designedPlace({{120, 3720, 4335, 615}, {480, 230, 735, 285}}) << "TRB";
        QTest::newRow("Frame4") << designedPlace({frame4}) << "LRB";
        QTest::newRow("BtnViewSmallFrame") << designedPlace({frame4, {240, 960, 2775, 375}}) << "LTRB";
        QTest::newRow("BtnExtractSmallFrame")
            << designedPlace({frame4, {120, 2640, 3015, 735}, {1560, 240, 1335, 375}}) << "LTRB";
        QTest::newRow("BtnAbout") << designedPlace({{4560, 3960, 975, 375}}) << "LTRB";
        QTest::newRow("BtnSave") << designedPlace({{5800, 3960, 975, 375}}) << "LTRB";
        QTest::newRow("BtnSaveAs") << designedPlace({{6840, 3960, 975, 375}}) << "LTRB";
    }
    void screenshotShowsTheLayout()
    {
        QFETCH(QRect, place);
        QFETCH(QString, edges);
        const int s = m_scale;
        // Pixel rows and columns of the outline on screen.
        const int left = place.left() * s, right = (place.right() + 1) * s - 1;
        const int top = m_menuBarHeight + place.top() * s, bottom = m_menuBarHeight + (place.bottom() + 1) * s - 1;
        const QPoint middle((left + right) / 2, (top + bottom) / 2);

        struct Edge {
            QPoint at;      // the designed outline pixel
            QPoint inward;  // one pixel towards the inside
        };
        const std::map<QChar, Edge> sides{
            {'L', {{left, middle.y()}, {1, 0}}},
            {'R', {{right, middle.y()}, {-1, 0}}},
            {'T', {{middle.x(), top}, {0, 1}}},
            {'B', {{middle.x(), bottom}, {0, -1}}},
        };
        if (edges.contains('X')) {
            int dark = 0;
            for (int y = top + 3 * s; y <= bottom - 3 * s; ++y)
                for (int x = left + 3 * s; x <= right - 3 * s; ++x)
                    dark += qGray(m_screenshot.pixel(x, y)) < 96 ? 1 : 0;
            QVERIFY2(dark >= 40 * s * s, qPrintable(QStringLiteral("%1 dark pixels in the box").arg(dark)));
        }
        for (QChar side : edges.remove('X')) {
            const Edge &edge = sides.at(side);
            bool outlineFound = false;
            for (int step = 1 - 2 * s; step <= 2 * s - 1; ++step)
                outlineFound = outlineFound || isOutline(edge.at + edge.inward * step);
            const QPoint inside = edge.at + edge.inward * (3 * s), outside = edge.at - edge.inward * (3 * s);
            const QString where = QStringLiteral("edge %1 at (%2, %3)").arg(side).arg(edge.at.x()).arg(edge.at.y());
            QVERIFY2(outlineFound, qPrintable("no outline on " + where));
            QVERIFY2(!isOutline(inside), qPrintable("an outline inside " + where));
            QVERIFY2(!isOutline(outside), qPrintable("an outline outside " + where));
        }
    }

    // Last, since it ends the editor: the robot, keys only. With no
    // window manager here, xdotool gives each window the focus.
    void keysAlone()
    {
        const ojn::test::ChartBuilder chart = ojn::test::ChartBuilder().songId(5);
        const QString next = chart.writeTo(m_charts.filePath("b.ojn")), copy = m_charts.filePath("c.ojn");
        const QStringList enter{"key", "Return"};
        QVERIFY(keys("", {{"key", "ctrl+o"}}) && keys("Open", {{"type", next}, enter}));
        QVERIFY(keys("", {{"key", "Tab", "Tab"}, {"type", "Keyed"}, {"key", "ctrl+s"}}) && keys("Info", {enter}));
        const QByteArray saved = ojn::test::readFile(next);
        QCOMPARE(saved, ojn::test::expectedUneditedSave(chart.build()).replace(108, 33, QByteArray("Keyed").leftJustified(33, '\0')));
        QVERIFY(keys("", {{"key", "ctrl+shift+s"}}) && keys("Save As", {{"type", copy}, enter}) && keys("Info", {enter}));
        QCOMPARE(ojn::test::readFile(copy), saved);
        QVERIFY(keys("", {{"key", "F1"}}) && keys("About OJN Tevrik Editor", {{"key", "Escape"}}));
        QVERIFY(keys("", {{"key", "alt+f", "x"}}));
        QVERIFY2(QTest::qWaitFor([] { return editorWindowId().isEmpty(); }, 5000), "Alt+F, X did not end the editor");
    }

private:
    // Runs xdotool commands in the editor's window of that title ("" for
    // the main one) once it is the only one shown besides the main window:
    // one left over (a file name's completions) would take the keys.
    bool keys(const QString &title, const QList<QStringList> &commands) const
    {
        QString id = m_windowId;
        const auto ready = [&] {
            if (!title.isEmpty())
                id = outputOf("xdotool", {"search", "--onlyvisible", "--name", '^' + title + '$'});
            const QStringList shown = editorWindows().split('\n');
            return shown.contains(m_windowId) && shown.contains(id) && shown.size() == (id == m_windowId ? 1 : 2);
        };
        if (!QTest::qWaitFor(ready, 5000) || QProcess::execute("xdotool", {"windowfocus", "--sync", id}) != 0)
            return false;
        for (const QStringList &command : commands) {
            if (QProcess::execute("xdotool", command) != 0)
                return false;
        }
        return true;
    }

    // An outline is darker than the window's background; the faintest, a
    // frame's, is about 24 grey levels darker, the faces of buttons and
    // frames differ from the background by a few levels.
    bool isOutline(QPoint at) const
    {
        if (!m_screenshot.rect().contains(at))
            return false;
        return qGray(m_background) - qGray(m_screenshot.pixel(at)) >= 16;
    }

    int m_scale = 1;
    QTemporaryDir m_charts{QDir::tempPath() + QStringLiteral("/ojnXXXXXX")};
    QString m_windowId;
    qint64 m_editorPid = 0;
    qint64 m_appearedAfterMs = 0;
    QImage m_screenshot;
    QRgb m_background = 0;
    int m_menuBarHeight = 0;
};

QTEST_MAIN(RealWindowTest)
#include "tst_real_window.moc"
