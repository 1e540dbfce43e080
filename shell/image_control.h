#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

// An image control: transparent while it has no picture, so the window's painted skin shows
// through, yet it takes the mouse over its whole rectangle. The caption strip, the caption
// buttons and the resize grips are such controls.
class ImageControl : public QWidget {
    Q_OBJECT

  public:
    explicit ImageControl(QWidget* parent);

    // The picture shown at the top-left corner, or none (a null pixmap).
    const QPixmap& Picture() const { return picture_; }
    void SetPicture(const QPixmap& picture);

    // Small per-control state: "1" for set, "" for clear.
    QString Tag;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
};
