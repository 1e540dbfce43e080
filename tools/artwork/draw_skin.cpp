#include <QPainter>
#include <QPolygon>

#include "artwork_drawing.h"
#include "twips.h"
#include "window_outline.h"

namespace {

using sorvani::shell::PixelsToTwips;
using sorvani::shell::WindowOutline;

constexpr int kWidth = 150;
constexpr int kHeight = 155;
constexpr int kBorder = 9;

// A run of lines from one colour to another, one pixel each.
void Gradient(QPainter& painter, QRect band, Qt::Orientation along, QColor from, QColor to) {
    const int steps = along == Qt::Horizontal ? band.width() : band.height();
    for (int i = 0; i < steps; ++i) {
        const double t = steps > 1 ? double(i) / (steps - 1) : 0.0;
        const QColor colour = QColor::fromRgbF(from.redF() + t * (to.redF() - from.redF()),
                                               from.greenF() + t * (to.greenF() - from.greenF()),
                                               from.blueF() + t * (to.blueF() - from.blueF()));
        if (along == Qt::Horizontal)
            painter.fillRect(band.left() + i, band.top(), 1, band.height(), colour);
        else
            painter.fillRect(band.left(), band.top() + i, band.width(), 1, colour);
    }
}

void DrawEdges(QPainter& painter) {
    const QColor border(215, 215, 215);
    painter.fillRect(0, 0, kBorder, kHeight, QColor(236, 236, 236));
    // The right and bottom edges darken outward, as a shadow.
    Gradient(painter, QRect(kWidth - kBorder, 0, kBorder, kHeight), Qt::Horizontal,
             QColor(225, 225, 225), QColor(120, 120, 120));
    painter.fillRect(kBorder, kHeight - 17, kWidth - 2 * kBorder, 11, border);
    Gradient(painter, QRect(kBorder, kHeight - 6, kWidth - 2 * kBorder, 6), Qt::Vertical,
             QColor(190, 190, 190), QColor(110, 110, 110));
    Gradient(painter, QRect(0, 0, kWidth, 5), Qt::Vertical, QColor(255, 255, 255),
             QColor(232, 236, 242));
}

void DrawCaptionTab(QPainter& painter) {
    const QPolygon tab({QPoint(kBorder, 5), QPoint(75, 5), QPoint(53, 27), QPoint(kBorder, 27)});
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(215, 215, 215));
    painter.drawPolygon(tab);
}

void DrawGrip(QPainter& painter) {
    const QRect grip(kWidth - kBorder - 18, kHeight - 6 - 24, 18, 24);
    painter.fillRect(grip, QColor(173, 214, 64));
    painter.setPen(QColor(112, 150, 30));
    for (int i = 4; i < 18; i += 4)
        painter.drawLine(grip.right() - i, grip.bottom(), grip.right(), grip.bottom() - i);
}

// Everything outside the window outline is pure red, so that a misplaced outline shows.
void PaintOutside(QPainter& painter) {
    const QRegion outline = *WindowOutline(PixelsToTwips(kWidth), PixelsToTwips(kHeight));
    painter.setClipRegion(QRegion(0, 0, kWidth, kHeight) - outline);
    painter.fillRect(0, 0, kWidth, kHeight, Qt::red);
    painter.setClipping(false);
}

}  // namespace

QImage DrawSkin() {
    QImage skin(kWidth, kHeight, QImage::Format_RGB32);
    skin.fill(kFace);
    {
        QPainter painter(&skin);
        DrawEdges(painter);
        DrawCaptionTab(painter);
        DrawGrip(painter);
    }
    // The caption buttons stand 73, 52 and 31 pixels from the right edge, 8 from the top.
    const int top = 8 + kGlyphInset;
    DrawGlyph(skin, Glyph::Minimize, kGlyphGrey, kFace, kWidth - 73 + kGlyphInset, top);
    DrawGlyph(skin, Glyph::Maximize, kGlyphGrey, kFace, kWidth - 52 + kGlyphInset, top);
    DrawGlyph(skin, Glyph::Close, kGlyphGrey, kFace, kWidth - 31 + kGlyphInset, top);
    QPainter painter(&skin);
    PaintOutside(painter);
    return skin;
}
