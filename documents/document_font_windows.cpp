#include "document_font.h"
#include "font_names.h"

namespace sorvani::documents {

QFont DocumentFont() {
    // The windows' 10.5 points, at the fixed 15 twips per pixel.
    QFont font(kMonospacedFontOnWindows);
    font.setPixelSize(14);
    return font;
}

}  // namespace sorvani::documents
