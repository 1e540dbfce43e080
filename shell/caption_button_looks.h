#pragma once

#include <QPixmap>

#include "image_control.h"

namespace sorvani::shell {

// The looks of a caption button. Without a picture the glyph painted on the skin shows; the
// hover mark in Tag says the button is lit.

// Pressed: the pressed picture; the mark stays as it is.
inline void ShowPressed(ImageControl& button, const QPixmap& pressed) {
    button.SetPicture(pressed);
}

// Lit once: the hover picture and the mark. A lit button keeps whatever picture it shows, so a
// pressed picture stays while the pointer moves with the button held.
inline void Light(ImageControl& button, const QPixmap& hover) {
    if (!button.Tag.isEmpty()) return;
    button.SetPicture(hover);
    button.Tag = QStringLiteral("1");
}

// Back to the painted glyph, unmarked.
inline void Unlight(ImageControl& button) {
    button.SetPicture(QPixmap());
    button.Tag.clear();
}

}  // namespace sorvani::shell
