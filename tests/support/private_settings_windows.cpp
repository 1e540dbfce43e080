#include <QStandardPaths>
#include <QString>

#include "private_settings.h"

// Windows finds the settings folder by the user's profile, which no variable moves: a test's
// settings once turned the tone change on for the program that the desktop test ran next. Qt's
// test mode keeps them in a folder of their own, which the program itself never reads.
void KeepSettingsApart(const QString&) { QStandardPaths::setTestModeEnabled(true); }
