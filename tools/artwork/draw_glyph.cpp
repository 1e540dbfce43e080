#include <QPainter>

#include "artwork_drawing.h"

void DrawGlyph(QImage& image, Glyph glyph, const QColor& colour, const QColor& face, int left,
               int top) {
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    // Square-based glyphs are 11 x 11 with a 2-pixel title bar, like a tiny window.
    const auto window = [&](int x, int y, int size) {
        painter.fillRect(x, y, size, 2, colour);
        painter.fillRect(x, y, 1, size, colour);
        painter.fillRect(x + size - 1, y, 1, size, colour);
        painter.fillRect(x, y + size - 1, size, 1, colour);
    };
    switch (glyph) {
        case Glyph::Minimize:
            painter.fillRect(left + 2, top + 7, 9, 3, colour);
            break;
        case Glyph::Maximize:
            window(left, top, 11);
            break;
        case Glyph::Close:
            for (int i = 0; i < 11; ++i) {
                painter.fillRect(left + i, top + i, 2, 1, colour);
                painter.fillRect(left + 9 - i, top + i, 2, 1, colour);
            }
            break;
        case Glyph::Restore:
            window(left + 3, top, 8);
            painter.fillRect(left, top + 3, 8, 8, face);
            window(left, top + 3, 8);
            break;
    }
}
