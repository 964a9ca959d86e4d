#include "app/EditorCommandLine.h"
#include "app/FolderWindowList.h"
#include "standardstreams/StandardStream.h"
#include "dialogs/WidgetDialogs.h"
#include "editor/Form1.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Read before any window exists, so --help and a usage error work
    // without a display.
    const ojn::Result<ojn::EditorCommandLine> parsed = ojn::parseEditorCommandLine(ojn::editorArguments(argc, argv));
    if (!parsed.ok()) {
        ojn::printToStandardStream(stderr, ojn::editorUsageText(parsed.error()));
        return 2;
    }
    const ojn::EditorCommandLine &commandLine = parsed.value();
    switch (commandLine.action) {
    case ojn::EditorCommandLine::Action::Help:
        ojn::printToStandardStream(stdout, ojn::editorHelpText());
        return 0;
    case ojn::EditorCommandLine::Action::Version:
        ojn::printToStandardStream(stdout, ojn::editorVersionText());
        return 0;
    case ojn::EditorCommandLine::Action::Run:
        break;
    }

    // Qt sees only the program's name: the one chart or folder is all the editor
    // takes from its command line, no Qt options.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("OJN Tevrik Editor"));
    // Lets the desktop match the window to its launcher and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.ojntevrik.Editor"));

    ojn::WidgetDialogs dialogs;
    ojn::Form1 window(dialogs);
    ojn::FolderWindowList folderWindows(window, dialogs);
    window.show();
    // Opened from the event loop, so the window is up and any message
    // about the chart shows over it.
    if (!commandLine.path.isEmpty())
        QMetaObject::invokeMethod(&window, [&window, &commandLine] { window.openPath(commandLine.path); },
                                  Qt::QueuedConnection);
    return QApplication::exec();
}
