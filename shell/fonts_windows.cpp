#include "font_names.h"
#include "fonts.h"

QString WindowFontFamily() { return sorvani::documents::kWindowFontOnWindows; }
