#include <QPainter>

#include "artwork_drawing.h"

namespace {

constexpr int kWidth = 17;
constexpr int kHeight = 16;

enum class Look { Flat, Hover, Pressed };

QImage DrawButton(Glyph glyph, Look look) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(246, 246, 246));  // the light one-pixel border
    const QRect inside(1, 1, kWidth - 2, kHeight - 2);
    QColor face = kFace;
    QColor ink = kGlyphGrey;
    {
        QPainter painter(&image);
        if (look == Look::Hover) {
            face = Qt::white;
            painter.fillRect(inside, kGlyphGrey);
            painter.fillRect(inside.adjusted(1, 1, -1, -1), face);
        } else if (look == Look::Pressed) {
            face = QColor(128, 128, 128);
            ink = Qt::white;
            painter.fillRect(inside, face);
        } else {
            painter.fillRect(inside, face);
        }
    }
    DrawGlyph(image, glyph, ink, face, kGlyphInset, kGlyphInset);
    return image;
}

}  // namespace

std::vector<NamedImage> DrawCaptionButtons() {
    return {
        {"ImMin1.png", DrawButton(Glyph::Minimize, Look::Hover)},
        {"ImMin2.png", DrawButton(Glyph::Minimize, Look::Pressed)},
        {"Immax1.png", DrawButton(Glyph::Maximize, Look::Hover)},
        {"Immax2.png", DrawButton(Glyph::Maximize, Look::Pressed)},
        {"ImClose1.png", DrawButton(Glyph::Close, Look::Hover)},
        {"ImClose2.png", DrawButton(Glyph::Close, Look::Pressed)},
        {"IMus0.png", DrawButton(Glyph::Restore, Look::Flat)},
        {"IMus1.png", DrawButton(Glyph::Restore, Look::Hover)},
        {"IMus2.png", DrawButton(Glyph::Restore, Look::Pressed)},
    };
}
