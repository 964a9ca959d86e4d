// Leaving the program: the close request and File > Exit.
#include "editor/Form1.h"

#include <QCloseEvent>

namespace ojn {

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_dialogs.endProgram();
}

void Form1::exitProgram()
{
    m_dialogs.endProgram();
}

} // namespace ojn
