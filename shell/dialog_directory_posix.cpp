#include <QDir>

#include "dialog_directory.h"

QString DialogStartDirectory() { return QDir::homePath(); }
