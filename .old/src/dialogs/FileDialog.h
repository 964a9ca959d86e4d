#pragma once

#include "dialogs/Dialogs.h"

#include <QString>

class QWidget;

namespace ojn {

// The main window's one file dialog, shared by every command that asks for
// a file. A command sets FileName and Filter ("description|pattern"), shows
// it, and reads FileName back: empty means the user cancelled.
class FileDialog {
public:
    FileDialog(Dialogs &dialogs, QWidget *owner) : m_dialogs(dialogs), m_owner(owner) {}

    QString FileName;
    QString Filter;

    void ShowOpen() { show(FileDialogMode::Open); }
    void ShowSave() { show(FileDialogMode::Save); }

private:
    void show(FileDialogMode mode);

    Dialogs &m_dialogs;
    QWidget *m_owner;
};

} // namespace ojn
