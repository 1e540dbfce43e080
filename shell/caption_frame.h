#pragma once

#include <QGroupBox>

namespace sorvani::shell {

// A frame whose caption may be longer than the frame is wide, as a file's path: it shows the
// caption shortened in the middle, keeping the file name visible, and the whole caption as the
// tooltip of the caption.
class CaptionFrame : public QGroupBox {
    Q_OBJECT

  public:
    explicit CaptionFrame(QWidget* parent);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ShowCaption();

    QString caption_;
};

}  // namespace sorvani::shell
