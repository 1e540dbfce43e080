#include <QFontDatabase>

#include "document_font.h"
#include "font_names.h"

namespace sorvani::documents {

// NSimSun is SimSun with every half-width character at exactly half the Chinese width; every
// Chinese Windows has it. Where it is missing (a Windows without its Chinese fonts, Wine), the
// box takes the Linux box's font, which has the same widths, when it is installed.
QFont DocumentFont() {
    if (!QFontDatabase::hasFamily(kMonospacedFontOnWindows)) return MonospacedWenKai();
    // The windows' 10.5 points, at the fixed 15 twips per pixel.
    QFont font(kMonospacedFontOnWindows);
    font.setPixelSize(14);
    return font;
}

}  // namespace sorvani::documents
