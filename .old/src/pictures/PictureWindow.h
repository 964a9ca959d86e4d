#pragma once

#include "pictures/Picture.h"

#include <QDialog>

namespace ojn {

// A fixed-size tool window that draws one picture at its own size at the
// top-left of its client area: neither scaled nor centred, cut off at the
// edges, the rest in the window's background colour.
class PictureWindow : public QDialog {
    Q_OBJECT
public:
    PictureWindow(const QString &objectName, const QString &caption, QSize clientSize, QWidget *owner);

    const Picture &picture() const { return m_picture; }
    void setPicture(const Picture &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Picture m_picture;
};

// The cover's window: "Loading Frame", 800 x 593.
class LoadingFrameForm final : public PictureWindow {
    Q_OBJECT
public:
    explicit LoadingFrameForm(QWidget *owner);
};

// The thumbnail's window: "Thumbnail", 79 x 78.
class ThumbnailFrameForm final : public PictureWindow {
    Q_OBJECT
public:
    explicit ThumbnailFrameForm(QWidget *owner);
};

} // namespace ojn
