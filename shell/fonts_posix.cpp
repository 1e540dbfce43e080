#include "font_names.h"
#include "fonts.h"

namespace sorvani::shell {

// The document box's font serves the windows too.
QString WindowFontFamily() { return sorvani::documents::kMonospacedFont; }

}  // namespace sorvani::shell
