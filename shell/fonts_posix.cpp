#include "font_names.h"
#include "fonts.h"

// The document box's font serves the windows too.
QString WindowFontFamily() { return sorvani::documents::kMonospacedFont; }
