#include "support/ScriptedDialogs.h"

#include <QDialog>

namespace ojn::test {

QString ScriptedDialogs::askFileName(QWidget *, FileDialogMode mode, const QString &fileName, const QString &filter)
{
    fileRequests.append({mode, fileName, filter});
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QStringList ScriptedDialogs::askFileNames(QWidget *, const QString &folder, const QString &filter)
{
    fileRequests.append({FileDialogMode::Open, folder, filter});
    return fileNameLists.isEmpty() ? QStringList() : fileNameLists.dequeue();
}

QString ScriptedDialogs::askFolder(QWidget *, const QString &caption, const QString &)
{
    folderRequests.append(caption);
    return folders.isEmpty() ? QString() : folders.dequeue();
}

MessageAnswer ScriptedDialogs::showMessage(QWidget *, const QString &text, const QString &caption, MessageIcon icon,
                                           MessageButtons buttons)
{
    const Message message{text, caption, icon, buttons};
    messages.append(message);
    if (onMessage)
        onMessage(message);
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answers.isEmpty() ? MessageAnswer::No : answers.dequeue();
}

void ScriptedDialogs::showModal(QDialog &window)
{
    modalWindows.append(window.objectName());
    if (onModal)
        onModal(window);
    else
        window.close();
}

void ScriptedDialogs::endProgram()
{
    ++endProgramCalls;
}

} // namespace ojn::test
