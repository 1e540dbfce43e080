#include <QGuiApplication>
#include <QRegion>

#include "frmtemp.h"

namespace sorvani::shell {

// Window managers on X11 pull a window placed beyond the desktop back onto the screen, so there
// the proxy has no visible pixel wherever it stands: no frame of the window manager's
// (frameless), a window shape lying wholly outside the window (the window system draws nothing
// of it and gives it no mouse event), and no keyboard focus. It is still a normal, managed
// window, so taskbars list it with its caption and icon, and minimize, restore and close it.
// Other platforms (the tests' offscreen one) keep it an ordinary window.
void frmtemp::KeepOffScreen() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                   Qt::WindowDoesNotAcceptFocus);
    // An empty region would mean "no shape at all": one pixel outside the window does not.
    setMask(QRegion(-1, -1, 1, 1));
}

}  // namespace sorvani::shell
