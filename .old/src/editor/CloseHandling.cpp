// Leaving the program (the close request and File > Exit), and the
// question about unsaved changes that opening another chart asks too.
#include "editor/Form1.h"

#include <QCloseEvent>

namespace ojn {

bool Form1::maybeSave(AfterSave after)
{
    if (!InfoDirty && !FullImageDirty && !SmallFrameDirty)
        return true;
    const MessageAnswer answer =
        m_dialogs.showMessage(this, QStringLiteral("Data is not Saved yet. Do you want to save?"),
                              QStringLiteral("Save"), MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes || Chart.ChartPath.isEmpty())
        return true;
    if (const Result<> saved = WriteChartFile(Chart.ChartPath); !saved.ok()) {
        // Going on would throw the edits away with the file unsaved: the
        // chart, its edits and the editing controls stay as they were, so
        // it can go elsewhere.
        showError(saved.error()
                  + QStringLiteral("\n\nThe chart is still open with your changes; use Save As to keep it elsewhere."));
        return false;
    }
    resetEditingState(after == AfterSave::KeepEditing);
    showInfo(QStringLiteral("Successfully Save OJN File."));
    return true;
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (!maybeSave(AfterSave::StopEditing)) {
        event->ignore();
        return;
    }
    event->accept();
    m_dialogs.endProgram();
}

void Form1::exitProgram()
{
    m_dialogs.endProgram();
}

} // namespace ojn
