// What a screen reader announces: every control a user can reach has a
// name, read through Qt's accessibility layer, which is what the
// platform's accessibility bus hands to assistive tools.
#include "editor/Form1.h"
#include "support/ScriptedDialogs.h"

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

namespace {

QString spokenName(QObject *control)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("<not accessible>");
}

// The names of an accessible's children, separators left out.
QStringList spokenChildNames(QObject *container)
{
    QStringList names;
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(container);
    for (int i = 0; accessible && i < accessible->childCount(); ++i) {
        QAccessibleInterface *child = accessible->child(i);
        if (child->role() != QAccessible::Separator)
            names << child->text(QAccessible::Name);
    }
    return names;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void fieldsAndFramesAreNamedAfterTheirCaptions_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        const int text = QAccessible::EditableText, group = QAccessible::Grouping;
        QTest::newRow("path") << "PathBox" << "File" << text;
        QTest::newRow("title") << "TitleBox" << "Title" << text;
        QTest::newRow("artist") << "ArtistBox" << "Artist" << text;
        QTest::newRow("pattern") << "PatternBox" << "Pattern" << text;
        QTest::newRow("genre") << "GenreBox" << "Genre" << int(QAccessible::ComboBox);
        QTest::newRow("id") << "IDBox" << "ID" << text;
        QTest::newRow("bpm") << "BPMBox" << "BPM" << text;
        QTest::newRow("ojm") << "OJMBox" << "OJM" << text;
        QTest::newRow("level ex") << "ExBox" << "Level Ex" << text;
        QTest::newRow("level nx") << "NxBox" << "Level Nx" << text;
        QTest::newRow("level hx") << "HxBox" << "Level Hx" << text;
        QTest::newRow("notes ex") << "NoteEx" << "Notes Ex" << text;
        QTest::newRow("notes nx") << "NoteNx" << "Notes Nx" << text;
        QTest::newRow("notes hx") << "NoteHx" << "Notes Hx" << text;
        QTest::newRow("general info") << "Frame1" << "General Info" << group;
        QTest::newRow("level") << "Frame2" << "Level" << group;
        QTest::newRow("notes") << "Frame3" << "Notes" << group;
        QTest::newRow("loading frame") << "Frame4" << "Loading Frame" << group;
        QTest::newRow("preview group") << "Frame6" << "Preview" << group;
        QTest::newRow("manage group") << "Frame7" << "Manage" << group;
        QTest::newRow("extract group") << "Frame8" << "Extract" << group;
    }
    void fieldsAndFramesAreNamedAfterTheirCaptions()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(int, role);
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        auto *widget = form.findChild<QWidget *>(control);
        QVERIFY2(widget, qPrintable(control));
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), name);
        QCOMPARE(int(accessible->role()), role);
    }

    void buttonsAreNamedByTheirCaptions()
    {
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        const QList<QPushButton *> buttons = form.findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 10);
        // Each button has an Alt key of its own, clashing with no other nor a menu's.
        QStringList altKeys;
        for (QAction *menu : form.menuBar()->actions())
            altKeys << QKeySequence::mnemonic(menu->text()).toString();
        for (QPushButton *button : buttons) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
            QVERIFY2(accessible, qPrintable(button->objectName()));
            QCOMPARE(accessible->text(QAccessible::Name), QString(button->text()).remove('&'));
            QCOMPARE(accessible->role(), QAccessible::Button);
            altKeys << QKeySequence::mnemonic(button->text()).toString();
            QVERIFY2(!altKeys.last().isEmpty(), qPrintable(button->objectName()));
        }
        QCOMPARE(QSet<QString>(altKeys.begin(), altKeys.end()).size(), altKeys.size());
        // The extract buttons' captions name a picture, not the deed.
        for (QPushButton *button : {form.BtnExtractFullImage, form.BtnExtractSmallFrame}) {
            const QString description = QAccessible::queryAccessibleInterface(button)->text(QAccessible::Description);
            QVERIFY2(description.startsWith("Extract the "), qPrintable(description));
        }
    }

    // A sweep, so that a control added later without a name is caught.
    void everyControlTheKeyboardReachesHasAName()
    {
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        int reachable = 0;
        for (QWidget *widget : form.findChildren<QWidget *>()) {
            if (widget->window() != &form || !(widget->focusPolicy() & Qt::TabFocus))
                continue;
            ++reachable;
            QVERIFY2(!spokenName(widget).trimmed().isEmpty(), qPrintable(widget->objectName()));
        }
        QCOMPARE(reachable, 24); // 10 buttons, 13 boxes and the genre list
    }

    void menusAreNamedByTheirCaptions()
    {
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        QCOMPARE(spokenChildNames(form.menuBar()), QStringList({"File", "Help"}));
        QCOMPARE(spokenChildNames(form.FileMenuStrip), QStringList({"Open", "Open Music Folder...", "Save", "Save As", "Exit"}));
        QCOMPARE(spokenChildNames(form.HelpMenuStrip), QStringList({"About"}));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
