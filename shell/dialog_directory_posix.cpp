#include <QDir>

#include "dialog_directory.h"

namespace sorvani::shell {

QString DialogStartDirectory() { return QDir::homePath(); }

}  // namespace sorvani::shell
