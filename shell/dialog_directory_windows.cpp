#include "dialog_directory.h"

QString DialogStartDirectory() { return QStringLiteral("c:\\"); }
