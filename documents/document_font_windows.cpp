#include "document_font.h"

namespace sorvani::documents {

// NSimSun is SimSun with every half-width character at exactly half the Chinese width.
QFont DocumentFont() {
    // The windows' 10.5 points, at the fixed 15 twips per pixel.
    QFont font(QStringLiteral("NSimSun"));
    font.setPixelSize(14);
    return font;
}

}  // namespace sorvani::documents
