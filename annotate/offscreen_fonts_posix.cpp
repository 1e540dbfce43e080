#include "offscreen_fonts.h"

namespace sorvani::annotate {

void ShowSystemFontsOffscreen() {}

}  // namespace sorvani::annotate
