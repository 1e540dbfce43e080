#include "font_names.h"
#include "fonts.h"

namespace sorvani::shell {

QString WindowFontFamily() { return sorvani::documents::kWindowFontOnWindows; }

}  // namespace sorvani::shell
