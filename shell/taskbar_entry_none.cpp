#include "taskbar_entry.h"

namespace sorvani::shell {

void KeepOffTaskbar(QWidget&) {}

}  // namespace sorvani::shell
