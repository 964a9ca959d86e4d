#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace ojn {

// The About box: the program's name and its terms of use. Built anew on
// every showing and discarded when closed.
class frmAbout final : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *owner);

    QLabel *picSNoSetMode = nullptr;
    QLabel *picOriginal = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QWidget *Line1 = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *cmdOK = nullptr;

private:
    void copySqueezedPicture();
};

} // namespace ojn
