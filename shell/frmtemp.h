#pragma once

#include <QWidget>

namespace sorvani::shell {

// The taskbar proxy: an ordinary window, kept out of sight, that stands for the application in
// the taskbar (the frameless main window has no button there). Minimizing it hides the main
// window, restoring it shows the main window again, closing it closes the main window. It never
// keeps the keyboard: whenever it becomes the active window it hands that on to the main window.
class frmtemp : public QWidget {
    Q_OBJECT

  public:
    explicit frmtemp(QWidget& mainWindow);

    // Takes the proxy off the visible desktop while it keeps its taskbar button, caption and
    // icon. How depends on the window system (frmtemp_posix.cpp, frmtemp_windows.cpp).
    void MoveOutOfSight();

  public slots:
    void Form_Resize();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Window flags and shape that keep the proxy off the screen from its first showing on.
    void KeepOffScreen();
    void ActivateMainWindow();

    QWidget& main_;
};

}  // namespace sorvani::shell
