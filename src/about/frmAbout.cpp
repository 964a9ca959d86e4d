#include "about/frmAbout.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace ojn {
namespace {

// Places are designed in twips; 15 twips make a pixel at 96 dpi.
QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

QLabel *label(QWidget *parent, const char *name, const QString &text, QRect place)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(place);
    return l;
}

} // namespace

frmAbout::frmAbout(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About OJN Tevrik Editor"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/ojn-tevrik-editor-32.png")));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(0, 0, 4815, 1665).size());

    lblTitle = label(this, "lblTitle", QStringLiteral("OJN Tevrik Editor v1.2 [Packed Version]"), twips(840, 120, 3885, 240));
    lblVersion = label(this, "lblVersion", QStringLiteral("Questions and fixes: see the project's README."), twips(840, 360, 3885, 225));
    lblDescription = label(this, "lblDescription", QString(), twips(840, 600, 3885, 210));
    lblDisclaimer = label(this, "lblDisclaimer", QStringLiteral("Free to use; keep backups of your charts."), twips(840, 1080, 3870, 225));
    Label1 = label(this, "Label1", QString(), twips(840, 1320, 3855, 255));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twips(120, 1080, 660, 465));
    cmdOK->setDefault(true);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace ojn
