#include "support/EditorFixture.h"
#include "support/ScopedLocale.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include <limits>

using namespace ojn;
using namespace ojn::test;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);

// Plays `keys` into `control` as a user would: plain characters are typed;
// {all}, {home}, {end}, {bs}, {del} and {down} are those keys. A leading
// "=" instead sets the rest as the text, as the program or a paste does.
void play(QWidget *control, const QString &keys)
{
    if (keys.startsWith('=')) {
        qobject_cast<QLineEdit *>(control)->setText(keys.mid(1));
        return;
    }
    static const QRegularExpression token(QStringLiteral("\\{(\\w+)\\}|[^{]+"));
    for (const QRegularExpressionMatch &m : token.globalMatch(keys)) {
        const QString key = m.captured(1);
        if (key.isEmpty())
            QTest::keyClicks(control, m.captured(0));
        else if (key == "all")
            QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
        else if (key == "home")
            QTest::keyClick(control, Qt::Key_Home);
        else if (key == "end")
            QTest::keyClick(control, Qt::Key_End);
        else if (key == "bs")
            QTest::keyClick(control, Qt::Key_Backspace);
        else if (key == "del")
            QTest::keyClick(control, Qt::Key_Delete);
        else if (key == "down")
            QTest::keyClick(control, Qt::Key_Down);
        else
            QFAIL(qPrintable("unknown key " + key));
    }
}

QString textOf(QWidget *control)
{
    if (auto *list = qobject_cast<QComboBox *>(control))
        return list->currentText();
    return qobject_cast<QLineEdit *>(control)->text();
}

} // namespace

class FieldRulesTest : public QObject {
    Q_OBJECT
private slots:
    void editingAField_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<float>("bpm"); // as stored in the chart
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");  // afterwards
        QTest::addColumn<bool>("infoDirty"); // afterwards
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();

        // The chart holds SongID 1234, BPM as given, levels Ex 5, Nx 6, Hx 9.
        QTest::newRow("text field: typing") << english << 120.0f << "TitleBox" << "{end}x" << "Test Titlex" << true;
        QTest::newRow("text field: typed and taken back") << english << 120.0f << "ArtistBox" << "{end}x{bs}" << "Test Artist" << true;
        QTest::newRow("text field: emptied") << english << 120.0f << "PatternBox" << "{all}{bs}" << "" << true;
        QTest::newRow("text field: set by the program") << english << 120.0f << "OJMBox" << "=o2ma9.ojm" << "o2ma9.ojm" << true;
        QTest::newRow("genre: another entry") << english << 120.0f << "GenreBox" << "{down}" << "Hip-Hop" << true;

        QTest::newRow("level: 5, 57, 57x gives 5") << english << 120.0f << "ExBox" << "{end}7x" << "5" << true;
        QTest::newRow("level: all selected, then a minus") << english << 120.0f << "ExBox" << "{all}-" << "5" << true;
        QTest::newRow("level: minus in front") << english << 120.0f << "NxBox" << "{home}-" << "-6" << true;
        QTest::newRow("level: deleted") << english << 120.0f << "HxBox" << "{all}{bs}" << "9" << true;
        QTest::newRow("level: 70000 passes") << english << 120.0f << "HxBox" << "{all}70000" << "70000" << true;
        QTest::newRow("level: blanks around pass") << english << 120.0f << "NxBox" << "= 12 " << " 12 " << true;
        QTest::newRow("level: blanks only") << english << 120.0f << "NxBox" << "=   " << "6" << true;
        QTest::newRow("level: set to a word by the program") << english << 120.0f << "ExBox" << "=abc" << "5" << true;
        QTest::newRow("ID: letter after the digits") << english << 120.0f << "IDBox" << "{end}a" << "1234" << true;
        QTest::newRow("ID: deleted") << english << 120.0f << "IDBox" << "{all}{del}" << "1234" << true;
        QTest::newRow("ID: 2.5 passes") << english << 120.0f << "IDBox" << "{all}2.5" << "2.5" << true;
        QTest::newRow("ID: German 2,5 passes") << german << 120.0f << "IDBox" << "{all}2,5" << "2,5" << true;
        QTest::newRow("ID: group separator") << english << 120.0f << "IDBox" << "=1,234" << "1234" << true;
        QTest::newRow("ID: exponent pasted") << english << 120.0f << "IDBox" << "=12e2" << "12e2" << true;
        QTest::newRow("ID: hexadecimal") << english << 120.0f << "IDBox" << "=0x10" << "1234" << true;

        QTest::newRow("BPM: digit added") << english << 120.0f << "BPMBox" << "{end}5" << "1205" << true;
        QTest::newRow("BPM: letter") << english << 120.0f << "BPMBox" << "{end}x" << "120" << true;
        QTest::newRow("BPM: fraction restored") << english << 128.5f << "BPMBox" << "{all}{bs}" << "128.5" << true;
        QTest::newRow("BPM: German fraction restored") << german << 128.5f << "BPMBox" << "{end}." << "128,5" << true;
        QTest::newRow("BPM: German comma typed") << german << 120.0f << "BPMBox" << "{end},5" << "120,5" << true;
        QTest::newRow("BPM: exponent form pasted") << english << 120.0f << "BPMBox" << "=1E+07" << "1E+07" << true;
        QTest::newRow("BPM: word NaN") << english << 120.0f << "BPMBox" << "=NaN" << "120" << true;

        // A damaged chart's tempo: its text is no number, and the restore
        // must stop after one round.
        QTest::newRow("NaN BPM: letter") << english << nan << "BPMBox" << "{end}x" << "NaN" << false;
        QTest::newRow("NaN BPM: deleted") << english << nan << "BPMBox" << "{all}{bs}" << "NaN" << false;
        QTest::newRow("NaN BPM: a real tempo") << english << nan << "BPMBox" << "{all}96" << "96" << true;
        QTest::newRow("infinite BPM: set to a word") << english << inf << "BPMBox" << "=fast" << "Infinity" << false;
        QTest::newRow("minus infinite BPM: sign deleted") << english << -inf << "BPMBox" << "{home}{del}" << "-Infinity" << false;
    }
    void editingAField()
    {
        QFETCH(QLocale, locale);
        QFETCH(float, bpm);
        QFETCH(QString, control);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(bool, infoDirty);
        const ScopedLocale scoped(locale);
        EditorFixture f(ChartBuilder().bpm(bpm).levels(5, 6, 9).build());
        Form1 &form = f.form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!form.InfoDirty);
        auto *widget = form.findChild<QWidget *>(control);
        QVERIFY(widget);
        widget->setFocus();

        play(widget, keys);

        QCOMPARE(textOf(widget), text);
        QCOMPARE(form.InfoDirty, infoDirty);
        QVERIFY(f.dialogs.messages.isEmpty()); // no field rule ever shows a message
        // The rules never touch the held values.
        QCOMPARE(form.Chart.LevelEx, qint16(5));
        QCOMPARE(form.Chart.SongID, 1234);
    }
};

QTEST_MAIN(FieldRulesTest)
#include "tst_field_rules.moc"
