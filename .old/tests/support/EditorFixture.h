#pragma once

// The main window as the window tests drive it: scripted dialogs, a
// temporary folder for its files, and a chart opened through the real open
// command, as a user picking it in the file dialog would.

#include "editor/Form1.h"
#include "support/ChartBuilder.h"
#include "support/ScriptedDialogs.h"

#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>

namespace ojn::test {

struct EditorFixture {
    // The window at start-up, with no chart.
    EditorFixture() = default;
    // `chart` written as chart.ojn in the folder, and opened; stops the
    // test program when it does not open.
    explicit EditorFixture(const QByteArray &chart);

    // Opens `path` with "Browse OJN..." and the file dialog. Returns the
    // text of the message the command showed, or an empty text when it
    // showed none.
    QString open(const QString &path);
    // The chart opened with no message and the window is ready to edit.
    bool opened() const;

    QString file(const QString &name) const { return dir.filePath(name); }
    // The chart's file as it is now.
    QByteArray onDisk() const { return readFile(path); }
    // Every entry of the folder, hidden ones too: a left-over temporary
    // file shows up here.
    QStringList entries() const { return entriesOf(dir.path()); }

    QTemporaryDir dir;
    QByteArray original;
    QString path;
    ScriptedDialogs dialogs;
    Form1 form{dialogs};
};

// Whether a control (a widget or a menu item) is enabled.
bool isEnabled(const QObject *control);
// The names of the editing controls that are not in the wanted state.
QStringList controlsNotEnabled(const Form1 &form, bool wanted);

// The first byte where two files differ, for failure messages.
QString firstDifference(const QByteArray &actual, const QByteArray &expected);

} // namespace ojn::test
