#pragma once

#include <QCursor>
#include <QPoint>

namespace sorvani::shell {

// Where the mouse pointer stands on the screen, in pixels. The resize grips read it through this
// so that tests can place it.
class PointerPosition {
  public:
    virtual ~PointerPosition() = default;
    virtual QPoint ScreenPixels() const = 0;
};

class CursorPosition : public PointerPosition {
  public:
    QPoint ScreenPixels() const override { return QCursor::pos(); }
};

}  // namespace sorvani::shell
