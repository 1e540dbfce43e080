#pragma once

#include <QString>

namespace sorvani::shell {

// For the test report: the window class of the control that has the keyboard as the window
// system sees it, where the system's own dialogs hold controls Qt does not know (the open and
// save dialogs on Windows); empty elsewhere.
QString SystemFocusClass();

}  // namespace sorvani::shell
