#include <QString>
#include <QtGlobal>

#include "private_settings.h"

void KeepSettingsApart(const QString& folder) { qputenv("XDG_CONFIG_HOME", folder.toLocal8Bit()); }
