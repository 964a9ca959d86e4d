// The editor's own start-up (as src/app/main.cpp does it), ending at the
// main window's first paint.
#include "FirstPaint.h"

#include "dialogs/WidgetDialogs.h"
#include "editor/Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("OJN Tevrik Editor"));

    ojn::WidgetDialogs dialogs;
    ojn::Form1 window(dialogs);
    ojn::bench::FirstPaintReporter reporter(window);
    window.show();
    return QApplication::exec();
}
