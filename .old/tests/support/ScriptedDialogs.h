#pragma once

#include "dialogs/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

namespace ojn::test {

// Answers the program's questions from queues and records everything it
// was asked, so widget tests never meet a real modal dialog.
class ScriptedDialogs final : public Dialogs {
public:
    struct FileRequest {
        FileDialogMode mode;
        QString fileName; // as set before showing
        QString filter;
    };
    struct Message {
        QString text;
        QString caption;
        MessageIcon icon;
        MessageButtons buttons;

        // The question about unsaved changes, asked on closing and opening.
        bool isSaveQuestion() const
        {
            return text == QLatin1String("Data is not Saved yet. Do you want to save?")
                && caption == QLatin1String("Save") && icon == MessageIcon::Question
                && buttons == MessageButtons::YesNo;
        }
    };

    // Queued answers; an empty queue answers "cancel" and "No".
    QQueue<QString> fileNames;
    QQueue<QStringList> fileNameLists; // for the dialogs that open several
    QQueue<QString> folders;
    QQueue<MessageAnswer> answers;
    // Called for each modal window instead of running it; may look at the
    // window and close it. Without it the window is just closed.
    std::function<void(QDialog &)> onModal;
    // Called when a message box is shown, before it returns (e.g. to look
    // at the window's state while the message is up).
    std::function<void(const Message &)> onMessage;

    QList<FileRequest> fileRequests;
    QStringList folderRequests; // the captions
    QList<Message> messages;
    QList<QString> modalWindows; // objectNames, in order
    int endProgramCalls = 0;

    QString askFileName(QWidget *owner, FileDialogMode mode, const QString &fileName, const QString &filter) override;
    QStringList askFileNames(QWidget *owner, const QString &folder, const QString &filter) override;
    QString askFolder(QWidget *owner, const QString &caption, const QString &folder) override;
    MessageAnswer showMessage(QWidget *owner, const QString &text, const QString &caption, MessageIcon icon,
                              MessageButtons buttons) override;
    void showModal(QDialog &window) override;
    void endProgram() override;
};

} // namespace ojn::test
