#include "pictures/PictureWindow.h"

#include <QPainter>

namespace ojn {

PictureWindow::PictureWindow(const QString &objectName, const QString &caption, QSize clientSize, QWidget *owner)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setFixedSize(clientSize);
    setModal(true);
}

void PictureWindow::setPicture(const Picture &picture)
{
    m_picture = picture;
    update();
}

void PictureWindow::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_picture);
}

LoadingFrameForm::LoadingFrameForm(QWidget *owner)
    : PictureWindow(QStringLiteral("LoadingFrameForm"), QStringLiteral("Loading Frame"), QSize(800, 593), owner)
{
}

ThumbnailFrameForm::ThumbnailFrameForm(QWidget *owner)
    : PictureWindow(QStringLiteral("ThumbnailFrameForm"), QStringLiteral("Thumbnail"), QSize(79, 78), owner)
{
}

} // namespace ojn
