#include <QFontDatabase>

#include "document_font.h"
#include "font_names.h"

namespace sorvani::documents {

// NSimSun is SimSun with every half-width character at exactly half the Chinese width; every
// Chinese Windows has it. Where it is missing (a Windows without its Chinese fonts, Wine), the
// box takes the Linux box's font, which has the same widths, when it is installed. Both at the
// windows' 10.5 points, the fixed 15 twips per pixel: 14 pixels, an even number, so that the
// scaled half-width advance is a whole 7 pixels, which Windows keeps exactly in step where it
// would place a Linux box's 6.5 a pixel off now and then.
QFont DocumentFont() {
    QFont font(QFontDatabase::hasFamily(kMonospacedFontOnWindows) ? kMonospacedFontOnWindows
                                                                  : kMonospacedFont);
    font.setPixelSize(14);
    return font;
}

}  // namespace sorvani::documents
