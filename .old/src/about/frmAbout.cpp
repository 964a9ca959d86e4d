#include "about/frmAbout.h"

#include "windowunits/Twips.h"

#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace ojn {
namespace {

const QString programIcon = QStringLiteral(":/icons/ojn-tevrik-editor-32.png");

QLabel *label(QWidget *parent, const char *name, const QString &text, QRect place)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(place);
    return l;
}

void makeTextBlack(QLabel *label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
}

// The etched separator: a grey line over the top of a two-pixel white one
// that starts a pixel further left.
class EtchedLine final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.fillRect(QRect(1, 0, width() - 1, 1), QColor(128, 128, 128));
    }
};

} // namespace

frmAbout::frmAbout(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About OJN Tevrik Editor"));
    setWindowIcon(QIcon(programIcon));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(0, 0, 4815, 1665).size());

    picSNoSetMode = label(this, "picSNoSetMode", QString(), twips(120, 120, 540, 540));
    lblTitle = label(this, "lblTitle", QStringLiteral("OJN Tevrik Editor v1.2 [Packed Version]"), twips(840, 120, 3885, 240));
    lblVersion = label(this, "lblVersion", QStringLiteral("Contact: see the README."), twips(840, 360, 3885, 225));
    lblDescription = label(this, "lblDescription", QString(), twips(840, 600, 3885, 210));

    // From 105 (white) or 120 (grey) twips to 4680, at 960.
    Line1 = new EtchedLine(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setGeometry(QRect(QPoint(twipsToPixels(105), twipsToPixels(960)), QPoint(twipsToPixels(4680) - 1, twipsToPixels(960) + 1)));

    lblDisclaimer = label(this, "lblDisclaimer", QStringLiteral("Free to use; keep backups of your charts."), twips(840, 1080, 3870, 225));
    Label1 = label(this, "Label1", QString(), twips(840, 1320, 3855, 255));
    for (QLabel *text : {lblTitle, lblDescription, lblDisclaimer})
        makeTextBlack(text);

    // Shown at its own place, over the labels; the contact line is short
    // enough to end before it.
    picOriginal = label(this, "picOriginal", QString(), twips(3360, 360, 540, 1020));
    picOriginal->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picOriginal->setPixmap(QPixmap(programIcon));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twips(120, 1080, 660, 465));
    // Enter presses the default button; Escape rejects the dialog, which
    // closes it just as the button does.
    cmdOK->setDefault(true);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    copySqueezedPicture();
}

// The load step: the 100 x 100 square at the top-left of picOriginal's
// surface, squeezed to 100 x 50 at the top-left of picSNoSetMode and cut
// off at its edges.
void frmAbout::copySqueezedPicture()
{
    const QColor background = palette().color(QPalette::Window);

    // picOriginal's surface is its picture at the top-left on the window's
    // background; the square reaches beyond the box, where there is only
    // background too.
    QImage source(100, 100, QImage::Format_RGB32);
    source.fill(background);
    {
        QPainter painter(&source);
        painter.drawPixmap(0, 0, picOriginal->pixmap());
    }

    QImage surface(picSNoSetMode->size(), QImage::Format_RGB32);
    surface.fill(background);
    {
        QPainter painter(&surface);
        painter.drawImage(QRect(0, 0, 100, 50), source, source.rect());
    }
    // A label keeps its pixmap, so the copy survives every repaint.
    picSNoSetMode->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picSNoSetMode->setPixmap(QPixmap::fromImage(surface));
}

} // namespace ojn
