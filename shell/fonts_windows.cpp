#include "fonts.h"

QString WindowFontFamily() { return QStringLiteral("SimSun"); }
