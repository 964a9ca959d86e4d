// With QT_SCALE_FACTOR=2 every control keeps its place relative to the
// others: its geometry in device pixels is exactly twice what it is at
// scale 1. The test runs at scale 2 and asks a copy of itself, started at
// scale 1, for the places there.
#include "editor/Form1.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QMenuBar>
#include <QProcess>
#include <QTest>
#include <QTextStream>

#include <cstring>
#include <map>

using namespace ojn;
using namespace ojn::test;

namespace {

const char kPrintPlaces[] = "--print-places";

// Each named widget of the window (the window itself, its menu bar and its
// controls) with its place in device pixels, relative to the window.
std::map<QString, QRectF> devicePlaces(Form1 &form)
{
    const qreal ratio = form.devicePixelRatio();
    std::map<QString, QRectF> places;
    const auto add = [&](const QString &name, QWidget *widget) {
        const QRectF logical(widget->mapTo(&form, QPoint(0, 0)), widget->size());
        places[name] = QRectF(logical.topLeft() * ratio, logical.size() * ratio);
    };
    add(QStringLiteral("Form1"), &form);
    add(QStringLiteral("menu bar"), form.menuBar());
    for (QWidget *widget : form.findChildren<QWidget *>()) {
        if (widget->window() == &form && !widget->objectName().isEmpty())
            add(widget->objectName(), widget);
    }
    return places;
}

std::map<QString, QRectF> shownWindowPlaces()
{
    ScriptedDialogs dialogs;
    Form1 form(dialogs);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return {};
    return devicePlaces(form);
}

} // namespace

class HighDpiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCOMPARE(qgetenv("QT_SCALE_FACTOR"), QByteArray("2"));

        QProcess unscaled;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_SCALE_FACTOR", "1");
        unscaled.setProcessEnvironment(environment);
        unscaled.start(QCoreApplication::applicationFilePath(), {kPrintPlaces});
        QVERIFY2(unscaled.waitForFinished(30000) && unscaled.exitCode() == 0,
                 unscaled.readAllStandardError().constData());
        QTextStream lines(unscaled.readAllStandardOutput());
        for (QString name; lines.readLineInto(&name);) {
            const QStringList fields = lines.readLine().split(' ');
            QVERIFY2(fields.size() == 4, qPrintable(name));
            m_unscaled[name] = QRectF(fields[0].toDouble(), fields[1].toDouble(), fields[2].toDouble(),
                                      fields[3].toDouble());
        }
        QVERIFY2(m_unscaled.size() >= 50, "the unscaled copy printed too few places"); // some fifty widgets
        m_scaled = shownWindowPlaces();
    }

    void sameControlsAtBothScales()
    {
        QStringList unscaledNames, scaledNames;
        for (const auto &entry : m_unscaled)
            unscaledNames << entry.first;
        for (const auto &entry : m_scaled)
            scaledNames << entry.first;
        QCOMPARE(scaledNames, unscaledNames);
    }

    void everyPlaceDoubles_data()
    {
        QTest::addColumn<QString>("name");
        for (const auto &entry : m_unscaled)
            QTest::newRow(qPrintable(entry.first)) << entry.first;
    }
    void everyPlaceDoubles()
    {
        QFETCH(QString, name);
        const QRectF unscaled = m_unscaled.at(name);
        QVERIFY2(m_scaled.count(name), "missing at scale 2");
        QCOMPARE(m_scaled.at(name), QRectF(unscaled.topLeft() * 2, unscaled.size() * 2));
    }

private:
    std::map<QString, QRectF> m_unscaled;
    std::map<QString, QRectF> m_scaled;
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], kPrintPlaces) == 0) {
        // Two lines per widget: its name (which may hold spaces), then
        // left, top, width and height.
        QTextStream out(stdout);
        for (const auto &[name, place] : shownWindowPlaces())
            out << name << '\n' << place.x() << ' ' << place.y() << ' ' << place.width() << ' ' << place.height() << '\n';
        return 0;
    }
    HighDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_high_dpi.moc"
