#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

namespace sorvani::shell {

// The caption is printed twice, the light print offset up and left, as an engraved edge.
inline const QColor kCaptionShadeColour{151, 169, 193};
inline const QColor kCaptionColour{31, 96, 169};

// Paints the whole of a window's off-screen surface (the surface's size is the window's) from
// the pieces of the skin picture: the background fill, four stretched edges, four corners kept
// at their size, and the caption near the top-left corner.
void PaintWindowSkin(QImage& surface, const QImage& skin, const QColor& background,
                     const QString& caption, const QFont& font);

}  // namespace sorvani::shell
