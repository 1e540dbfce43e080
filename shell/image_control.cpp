#include "image_control.h"

#include <QPainter>

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {
    // Mouse events over the control belong to it, never to the window's bare surface.
    setAttribute(Qt::WA_NoMousePropagation);
    setMouseTracking(true);
}

void ImageControl::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter(this).drawPixmap(0, 0, picture_);
}
