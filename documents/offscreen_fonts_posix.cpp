#include "offscreen_fonts.h"

namespace sorvani::documents {

void ShowSystemFontsOffscreen() {}

}  // namespace sorvani::documents
