#pragma once

#include <QString>

namespace sorvani::shell {

// Where the open and save dialogs start: the root of drive C on Windows, as users of the
// program there know it, and the user's home folder elsewhere.
QString DialogStartDirectory();

}  // namespace sorvani::shell
