#pragma once

class QWidget;

namespace sorvani::shell {

// Keeps the window off the taskbar, where the taskbar proxy stands for the program. On Windows
// and the tests' offscreen platform a tool window has no taskbar entry anyway; on X11 some
// window managers (fluxbox) list tool windows unless asked not to.
void KeepOffTaskbar(QWidget& window);

}  // namespace sorvani::shell
