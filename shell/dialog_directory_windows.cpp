#include "dialog_directory.h"

namespace sorvani::shell {

QString DialogStartDirectory() { return QStringLiteral("c:\\"); }

}  // namespace sorvani::shell
