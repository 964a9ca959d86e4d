#include "editor/Form1.h"
#include "platform/WidgetDialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The editor takes no command line: Qt sees only the program's name.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("OJN Tevrik Editor"));
    // Lets the desktop match the window to its launcher and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.ojntevrik.Editor"));

    ojn::WidgetDialogs dialogs;
    ojn::Form1 window(dialogs);
    window.show();
    return QApplication::exec();
}
