#include "document_font.h"
#include "font_names.h"

namespace sorvani::documents {

// Debian's fonts-lxgw-wenkai. Its monospaced cut draws half-width letters, tone-marked vowels
// included, at exactly half the width of a Chinese character.
QFont DocumentFont() {
    // 13 pixels rather than the window's 14: at 14 the scaled advances come out a 64th of a
    // pixel short each, so a half-width column is no longer exactly half a Chinese one and the
    // columns drift apart along a line. 80 columns still fit the box's width.
    QFont font(kMonospacedFont);
    font.setPixelSize(13);
    return font;
}

}  // namespace sorvani::documents
