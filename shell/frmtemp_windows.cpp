#include "frmtemp.h"

namespace sorvani::shell {

// Windows leaves a window beyond the right edge of the desktop where it is put, so the proxy
// stays an ordinary window there.
void frmtemp::KeepOffScreen() {}

}  // namespace sorvani::shell
