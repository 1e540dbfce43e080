#include "image_control.h"

#include <QMouseEvent>
#include <QPainter>

namespace sorvani::shell {

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

void ImageControl::mousePressEvent(QMouseEvent* event) {
    clickStarted_ = true;
    emit MouseDown(event->button());
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent*) {
    clickStarted_ = false;
    emit DblClick();
}

void ImageControl::mouseMoveEvent(QMouseEvent*) { emit MouseMove(); }

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = clickStarted_ && rect().contains(event->position().toPoint());
    clickStarted_ = false;
    emit MouseUp();
    if (click) emit Click();
}

}  // namespace sorvani::shell
