#pragma once

#include <QString>
#include <QWidget>

namespace sorvani::shell {

// For the test report: the window class of the control that has the keyboard as the window
// system sees it, where the system's own dialogs hold controls Qt does not know (the open and
// save dialogs on Windows); empty elsewhere.
QString SystemFocusClass();

// For the test report: whether the window system gives the keys to the window Qt counts as
// active. On Windows Qt may count a window active before the system's focus reaches it (a message
// box under Wine's desktop), and keys sent meanwhile go elsewhere; elsewhere always so.
bool SystemKeysGoTo(const QWidget& window);

}  // namespace sorvani::shell
