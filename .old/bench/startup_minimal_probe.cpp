// The baseline for start-up: Qt's own "Hello world" Widgets program, a
// window with one button; it shows text, so like any real window it pays
// for loading the fonts. Ends at its first paint.
#include "FirstPaint.h"

#include <QApplication>
#include <QPushButton>

int main(int argc, char *argv[])
{
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    QPushButton window(QStringLiteral("Hello world!"));
    window.resize(527, 316);
    ojn::bench::FirstPaintReporter reporter(window);
    window.show();
    return QApplication::exec();
}
