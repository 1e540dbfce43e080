#pragma once

#include <QWidget>

// The taskbar proxy: an ordinary window, kept out of sight, that stands for the application in
// the taskbar (the frameless main window has no button there). Minimizing it hides the main
// window, restoring it shows the main window again, closing it closes the main window.
class frmtemp : public QWidget {
    Q_OBJECT

  public:
    explicit frmtemp(QWidget& mainWindow);

    // Moves the proxy beyond the right edge of the whole desktop, keeping its top and size.
    void MoveOutOfSight();

  public slots:
    void Form_Resize();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget& main_;
};
