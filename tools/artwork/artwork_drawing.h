#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

// The grey of the caption glyphs, on the skin and on the button pictures.
inline const QColor kGlyphGrey{159, 159, 159};
// The skin's interior colour, on which the caption glyphs stand.
inline const QColor kFace{250, 250, 250};

// The window skin: 150 x 155 pixels, pure red outside the window outline.
QImage DrawSkin();

// The caption glyphs, 11 x 11 pixels from (left, top) on the given face colour: minimize bar,
// maximize square, close cross, restore (two overlapping squares). A glyph stands 3 pixels in
// from its button's top-left corner.
enum class Glyph { Minimize, Maximize, Close, Restore };
inline constexpr int kGlyphInset = 3;
void DrawGlyph(QImage& image, Glyph glyph, const QColor& colour, const QColor& face, int left,
               int top);

struct NamedImage {
    QString fileName;
    QImage image;
};

// The nine 17 x 16 caption-button state pictures.
std::vector<NamedImage> DrawCaptionButtons();

// The application icon, square, as icon<size>.png at each size a desktop may ask for.
std::vector<NamedImage> DrawIcons();
