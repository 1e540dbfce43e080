#include "fonts.h"

QString WindowFontFamily() { return QStringLiteral("SimSun"); }

// NSimSun is SimSun with every half-width character at exactly half the Chinese width.
QFont DocumentFont() { return FontOf(QStringLiteral("NSimSun"), kWindowFontPoints); }
