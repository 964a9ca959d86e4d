// The editor's own command line, run as a program with no display: what
// it prints and returns must come without it trying to open a window,
// which would fail here.
#include <QProcess>
#include <QTest>

class EditorCommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void answersWithoutAWindow_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString usage = "Usage: ojn-tevrik-editor [CHART]\n";
        QTest::newRow("--help") << QStringList{"--help"} << 0 << usage << "";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << usage << "";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << "ojn-tevrik-editor " OJN_VERSION "\n" << "";
        QTest::newRow("unknown option") << QStringList{"--colour"} << 2 << "" << "ojn-tevrik-editor: unknown option '--colour'.\n" + usage;
        QTest::newRow("Qt's own option") << QStringList{"-platform", "offscreen"} << 2 << "" << "unknown option '-platform'";
        QTest::newRow("option after the chart") << QStringList{"song.ojn", "-x"} << 2 << "" << "unknown option '-x'";
        QTest::newRow("two charts") << QStringList{"a.ojn", "b.ojn"} << 2 << "" << "give one chart";
        QTest::newRow("two charts after --") << QStringList{"--", "a.ojn", "-b.ojn"} << 2 << "" << "give one chart";
        QTest::newRow("empty path") << QStringList{""} << 2 << "" << "the chart's path is empty";
    }
    void answersWithoutAWindow()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcess editor;
        QProcessEnvironment environment;
        environment.insert("PATH", qEnvironmentVariable("PATH"));
        editor.setProcessEnvironment(environment); // no DISPLAY, no QT_QPA_PLATFORM
        editor.start(QStringLiteral(EDITOR_PROGRAM), args);
        QVERIFY2(editor.waitForFinished(30000), qPrintable(editor.errorString()));
        const QString printed = QString::fromUtf8(editor.readAllStandardOutput());
        const QString complained = QString::fromUtf8(editor.readAllStandardError());
        QVERIFY2(editor.exitStatus() == QProcess::NormalExit && editor.exitCode() == status, qPrintable(complained));
        QVERIFY2(out.isEmpty() ? printed.isEmpty() : printed.startsWith(out), qPrintable(printed));
        QVERIFY2(err.isEmpty() ? complained.isEmpty() : complained.contains(err), qPrintable(complained));
    }
};

QTEST_GUILESS_MAIN(EditorCommandLineTest)
#include "tst_editor_command_line.moc"
