#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace ojn {

enum class MessageIcon { None, Information, Question, Warning, Critical };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };
enum class FileDialogMode { Open, Save };

// Everything the program asks of the user, and ending the program, goes
// through here, so that tests can answer and record it without a real
// modal dialog.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a file dialog starting at `fileName` with a filter written as
    // "description|pattern". Returns the chosen name exactly as the dialog
    // gives it, or the empty text when the user cancelled.
    virtual QString askFileName(QWidget *owner, FileDialogMode mode, const QString &fileName,
                                const QString &filter) = 0;

    // Shows a file dialog for opening several files at once, starting in
    // `folder`, with a filter as above. Returns the chosen names, or none
    // when the user cancelled.
    virtual QStringList askFileNames(QWidget *owner, const QString &folder, const QString &filter) = 0;

    // Shows a folder chooser starting at `folder`. Returns the chosen
    // folder, or the empty text when the user cancelled.
    virtual QString askFolder(QWidget *owner, const QString &caption, const QString &folder) = 0;

    // A modal message box; returns the button pressed.
    virtual MessageAnswer showMessage(QWidget *owner, const QString &text, const QString &caption,
                                      MessageIcon icon, MessageButtons buttons) = 0;

    // Shows a window modally over its owner and returns once it is closed
    // (the picture windows and the About box).
    virtual void showModal(QDialog &window) = 0;

    // Ends the program at once.
    virtual void endProgram() = 0;
};

} // namespace ojn
