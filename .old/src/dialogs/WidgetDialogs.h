#pragma once

#include "dialogs/Dialogs.h"

namespace ojn {

// The real dialogs: QFileDialog (files and folders), QMessageBox, QDialog::exec and quitting
// the application.
class WidgetDialogs final : public Dialogs {
public:
    QString askFileName(QWidget *owner, FileDialogMode mode, const QString &fileName, const QString &filter) override;
    QStringList askFileNames(QWidget *owner, const QString &folder, const QString &filter) override;
    QString askFolder(QWidget *owner, const QString &caption, const QString &folder) override;
    MessageAnswer showMessage(QWidget *owner, const QString &text, const QString &caption, MessageIcon icon,
                              MessageButtons buttons) override;
    void showModal(QDialog &window) override;
    void endProgram() override;
};

// "O2Jam Note File|*.ojn" as QFileDialog writes it: "O2Jam Note File (*.ojn)".
[[nodiscard]] QString qtFileFilter(const QString &filter);

} // namespace ojn
