#include "support/EditorFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void captionIconAndFixedSize()
    {
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        QCOMPARE(form.objectName(), QString("Form1"));
        QCOMPARE(form.windowTitle(), QString("OJN Tevrik Editor [Packed Version]"));
        QVERIFY(!form.windowIcon().isNull());
        QCOMPARE(form.centralWidget()->size(), QSize(527, 295));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
    }

    void startUpState()
    {
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        QCOMPARE(form.editingControls().size(), size_t(27));
        QCOMPARE(controlsNotEnabled(form, false), QStringList());
        for (QObject *control : std::initializer_list<QObject *>{form.BtnBrowseOJN, form.BtnAbout, form.PathBox,
                                                                  form.OpenMenuStrip, form.ExitMenuStrip, form.AboutMenuStrip})
            QVERIFY2(isEnabled(control), qPrintable(control->objectName()));
        QVERIFY(!form.InfoDirty && !form.FullImageDirty && !form.SmallFrameDirty);
        QVERIFY(form.PathBox->isReadOnly());
        for (QLineEdit *box : {form.NoteEx, form.NoteNx, form.NoteHx}) {
            QVERIFY(box->isReadOnly());
            QVERIFY(!box->isEnabled());
        }
        QCOMPARE(form.GenreBox->currentIndex(), -1);
        QCOMPARE(form.GenreBox->count(), 11);
        QCOMPARE(form.GenreBox->itemText(5), QString("Soul / R&B"));
        QVERIFY(!form.GenreBox->isEditable());
        for (QLineEdit *box : form.findChildren<QLineEdit *>())
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
    }

    void controlsAtTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parentName");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        // Twips divided by 15.
        QTest::newRow("PathBox") << "PathBox" << "ClientArea" << QRect(32, 8, 385, 19) << "";
        QTest::newRow("BtnBrowseOJN") << "BtnBrowseOJN" << "ClientArea" << QRect(424, 6, 98, 22) << "&Browse OJN...";
        QTest::newRow("Frame1") << "Frame1" << "ClientArea" << QRect(8, 32, 289, 161) << "General Info";
        QTest::newRow("TitleBox") << "TitleBox" << "Frame1" << QRect(56, 24, 225, 19) << "";
        QTest::newRow("GenreBox") << "GenreBox" << "Frame1" << QRect(56, 96, 113, 21) << "";
        QTest::newRow("HxBox") << "HxBox" << "Frame2" << QRect(208, 15, 49, 19) << "";
        QTest::newRow("NoteEx") << "NoteEx" << "Frame3" << QRect(32, 15, 49, 19) << "";
        QTest::newRow("BtnViewSmallFrame") << "BtnViewSmallFrame" << "Frame4" << QRect(16, 64, 185, 25) << "View S&mall Frame";
        QTest::newRow("BtnSmallImage") << "BtnSmallImage" << "Frame7" << QRect(8, 48, 185, 25) << "Change Small F&rame";
        QTest::newRow("BtnExtractSmallFrame") << "BtnExtractSmallFrame" << "Frame8" << QRect(104, 16, 89, 25) << "Sma&ll Frame";
        QTest::newRow("BtnSaveAs") << "BtnSaveAs" << "ClientArea" << QRect(456, 264, 65, 25) << "Save &As";
        QTest::newRow("Label15") << "Label15" << "Frame6" << QRect(8, 0, 39, 17) << "Preview";
    }
    void controlsAtTheirPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QString, parentName);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        auto *widget = form.findChild<QWidget *>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->parentWidget()->objectName(), parentName);
        if (qobject_cast<QLabel *>(widget)) {
            // Labels keep their place and grow only as far as their caption needs.
            QCOMPARE(widget->pos(), geometry.topLeft());
            QCOMPARE(widget->height(), geometry.height());
            QCOMPARE(widget->width(), qMax(geometry.width(), widget->sizeHint().width()));
        } else {
            QCOMPARE(widget->geometry(), geometry);
        }
        if (auto *button = qobject_cast<QPushButton *>(widget))
            QCOMPARE(button->text(), caption);
        else if (auto *label = qobject_cast<QLabel *>(widget))
            QCOMPARE(label->text(), caption);
    }

    void viewSmallFrameIsDrawnAboveFrame6()
    {
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        const QObjectList siblings = form.Frame4->children();
        QVERIFY(siblings.indexOf(form.BtnViewSmallFrame) > siblings.indexOf(form.Frame6));
    }

    void menuTree()
    {
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        const QList<QAction *> menus = form.menuBar()->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QString("&File"));
        QCOMPARE(menus[1]->text(), QString("&Help"));
        // Name, caption and keys; Exit has none, so no key ends the program unasked.
        QStringList file;
        for (QAction *item : form.FileMenuStrip->actions())
            file << (item->isSeparator() ? item->objectName() + "|"
                                         : item->objectName() + ":" + item->text() + ":" + item->shortcut().toString());
        QCOMPARE(file, QStringList({"OpenMenuStrip:&Open:Ctrl+O", "OpenMusicFolderMenuStrip:Open &Music Folder...:", "Separator1|", "SaveMenuStrip:&Save:Ctrl+S",
                                    "SaveAsMenuStrip:Save &As:Ctrl+Shift+S", "Separator2|", "ExitMenuStrip:E&xit:"}));
        QCOMPARE(form.HelpMenuStrip->actions().size(), 1);
        QCOMPARE(form.AboutMenuStrip->text(), QString("&About"));
        QCOMPARE(form.AboutMenuStrip->shortcut(), QKeySequence(Qt::Key_F1));
    }

    void tabOrderWithNoChartOpen()
    {
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.BtnBrowseOJN->setFocus();
        QStringList visited;
        for (int i = 0; i < 4; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, QStringList({"BtnBrowseOJN", "PathBox", "BtnAbout", "BtnBrowseOJN"}));
    }

    void tabOrderWithAllControlsEnabled()
    {
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        for (QObject *control : form.editingControls()) {
            if (auto *widget = qobject_cast<QWidget *>(control))
                widget->setEnabled(true);
        }
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.BtnBrowseOJN->setFocus();
        QStringList visited;
        for (int i = 0; i < 22; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, QStringList({"BtnBrowseOJN", "PathBox", "TitleBox", "ArtistBox", "PatternBox", "GenreBox",
                                       "IDBox", "BPMBox", "OJMBox", "ExBox", "NxBox", "HxBox", "BtnAbout", "BtnSave",
                                       "BtnSaveAs", "BtnPreviewFullImage", "BtnViewSmallFrame", "BtnChangeFullImage",
                                       "BtnSmallImage", "BtnExtractFullImage", "BtnExtractSmallFrame", "BtnBrowseOJN"}));
    }

    void aboutTwinsShowTheSameBox()
    {
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        QTest::mouseClick(form.BtnAbout, Qt::LeftButton);
        form.AboutMenuStrip->trigger();
        QCOMPARE(dialogs.modalWindows, QStringList({"frmAbout", "frmAbout"}));
    }

    // Keys run their command with the focus anywhere, a text box too, and
    // nothing while it is disabled. Seen: windows shown, file dialogs,
    // messages, and "end" for ending the program.
    void keysRunTheirCommands_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("chartOpen");
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("F1") << "F1" << "BtnBrowseOJN" << false << QStringList{"frmAbout"};
        QTest::newRow("Ctrl+O") << "Ctrl+O" << "BtnBrowseOJN" << false << QStringList{"open"};
        QTest::newRow("Alt+B in a text box") << "Alt+B" << "OJMBox" << true << QStringList{"open"};
        QTest::newRow("Ctrl+S in a text box") << "Ctrl+S" << "TitleBox" << true << QStringList{"Successfully Save OJN File."};
        QTest::newRow("Ctrl+S, no chart") << "Ctrl+S" << "BtnBrowseOJN" << false << QStringList();
        QTest::newRow("Ctrl+Shift+S in a text box") << "Ctrl+Shift+S" << "BPMBox" << true << QStringList{"save"};
        QTest::newRow("Ctrl+Shift+S, no chart") << "Ctrl+Shift+S" << "BtnBrowseOJN" << false << QStringList();
        QTest::newRow("Alt+F, X") << "Alt+F, X" << "TitleBox" << true << QStringList{"end"};
    }
    void keysRunTheirCommands()
    {
        QFETCH(QString, keys);
        QFETCH(QString, focus);
        QFETCH(bool, chartOpen);
        QFETCH(QStringList, seen);
        const auto fixture = chartOpen ? std::make_unique<EditorFixture>(ChartBuilder().build()) : std::make_unique<EditorFixture>();
        Form1 &form = fixture->form;
        ScriptedDialogs &dialogs = fixture->dialogs;
        dialogs.fileRequests.clear(); // the open's own
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.findChild<QWidget *>(focus)->setFocus();
        // Each key goes where the keyboard sends it: an open menu, or the focus.
        const QKeySequence sequence = QKeySequence::fromString(keys);
        for (int i = 0; i < sequence.count(); ++i)
            QTest::keyClick(static_cast<QWidget *>(nullptr), sequence[i].key(), sequence[i].keyboardModifiers());
        const auto trace = [&] {
            QStringList trace = dialogs.modalWindows;
            for (const ScriptedDialogs::FileRequest &request : dialogs.fileRequests)
                trace << (request.mode == FileDialogMode::Open ? "open" : "save");
            for (const ScriptedDialogs::Message &message : dialogs.messages)
                trace << message.text;
            return trace << QStringList(dialogs.endProgramCalls, "end");
        };
        // An Alt letter presses its button as a click does, a moment later.
        QTRY_COMPARE(trace(), seen);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
