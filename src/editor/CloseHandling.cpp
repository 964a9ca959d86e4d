// Leaving the program: the close request and File > Exit.
#include "editor/Form1.h"

#include <QCloseEvent>

namespace ojn {

void Form1::closeEvent(QCloseEvent *event)
{
    const bool unsaved = InfoDirty || FullImageDirty || SmallFrameDirty;
    if (unsaved) {
        const MessageAnswer answer =
            m_dialogs.showMessage(this, QStringLiteral("Data is not Saved yet. Do you want to save?"),
                                  QStringLiteral("Save"), MessageIcon::Question, MessageButtons::YesNo);
        if (answer == MessageAnswer::Yes && !Chart.ChartPath.isEmpty()) {
            if (const Outcome saved = WriteChartFile(Chart.ChartPath); !saved.ok()) {
                // Ending now would throw the edits away with the file
                // unsaved: stay open, with the chart, its edits and the
                // editing controls as they were, so it can go elsewhere.
                showError(saved.error()
                          + QStringLiteral("\n\nThe chart is still open with your changes; use Save As to keep it elsewhere."));
                event->ignore();
                return;
            }
            setEditingControlsEnabled(false); // also clears the change flags
            showInfo(QStringLiteral("Successfully Save OJN File."));
        }
    }
    event->accept();
    m_dialogs.endProgram();
}

void Form1::exitProgram()
{
    m_dialogs.endProgram();
}

} // namespace ojn
