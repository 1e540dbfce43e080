#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace sorvani::shell {

// An image control: transparent while it has no picture, so the window's painted skin shows
// through, yet it takes the mouse over its whole rectangle. The caption strip, the caption
// buttons and the resize grips are such controls.
//
// A press gives the control the mouse until the release, wherever the pointer goes. A click is a
// press and a release over the control, reported after the release; the second press of a
// double-click is reported as the double-click, not as another press.
class ImageControl : public QWidget {
    Q_OBJECT

  public:
    explicit ImageControl(QWidget* parent);

    // The picture shown at the top-left corner, or none (a null pixmap).
    const QPixmap& Picture() const { return picture_; }
    void SetPicture(const QPixmap& picture);

    // Small per-control state: "1" for set, "" for clear.
    QString Tag;

  signals:
    void MouseDown(Qt::MouseButton button);
    void MouseMove();
    void MouseUp();
    void Click();
    void DblClick();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPixmap picture_;
    bool clickStarted_ = false;
};

}  // namespace sorvani::shell
