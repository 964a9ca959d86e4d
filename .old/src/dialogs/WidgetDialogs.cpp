#include "dialogs/WidgetDialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace ojn {

QString qtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
    return filters.join(QLatin1String(";;"));
}

QString WidgetDialogs::askFileName(QWidget *owner, FileDialogMode mode, const QString &fileName, const QString &filter)
{
    const QString qtFilter = qtFileFilter(filter);
    if (mode == FileDialogMode::Open)
        return QFileDialog::getOpenFileName(owner, QString(), fileName, qtFilter);
    return QFileDialog::getSaveFileName(owner, QString(), fileName, qtFilter);
}

QStringList WidgetDialogs::askFileNames(QWidget *owner, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileNames(owner, QString(), folder, qtFileFilter(filter));
}

QString WidgetDialogs::askFolder(QWidget *owner, const QString &caption, const QString &folder)
{
    return QFileDialog::getExistingDirectory(owner, caption, folder);
}

MessageAnswer WidgetDialogs::showMessage(QWidget *owner, const QString &text, const QString &caption, MessageIcon icon,
                                         MessageButtons buttons)
{
    QMessageBox box(owner);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    if (buttons == MessageButtons::YesNo) {
        // Qt's own "&Yes" and "&No": Y and N answer, as typed or with Alt.
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        // There is no Cancel: Escape and the close box mean No.
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

void WidgetDialogs::showModal(QDialog &window)
{
    window.exec();
}

void WidgetDialogs::endProgram()
{
    // exit(), not quit(): quit() would ask the windows to close first, and
    // the main window's close request must not run again on the way out.
    QCoreApplication::exit(0);
}

} // namespace ojn
