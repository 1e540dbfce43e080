#include "window_skin.h"

#include <QFontMetrics>
#include <QPainter>

#include "twips.h"

namespace sorvani::shell {

namespace {

QRectF PixelRect(double left, double top, double width, double height) {
    return QRectF(TwipsToPixelsF(left), TwipsToPixelsF(top), TwipsToPixelsF(width),
                  TwipsToPixelsF(height));
}

// Copies a piece of the skin, stretched where the sizes differ; all values in twips.
struct PiecePainter {
    QPainter& painter;
    const QImage& skin;

    void Copy(TwipRect to, TwipRect from) const {
        painter.drawImage(PixelRect(to.left, to.top, to.width, to.height), skin,
                          PixelRect(from.left, from.top, from.width, from.height));
    }
};

void Print(QPainter& painter, double left, double top, const QColor& colour, const QString& text) {
    painter.setPen(colour);
    const double baseline = TwipsToPixelsF(top) + painter.fontMetrics().ascent();
    painter.drawText(QPointF(TwipsToPixelsF(left), baseline), text);
}

}  // namespace

void PaintWindowSkin(QImage& surface, const QImage& skin, const QColor& background,
                     const QString& caption, const QFont& font) {
    const int w = PixelsToTwips(surface.width());
    const int h = PixelsToTwips(surface.height());
    const int pw = PixelsToTwips(skin.width());
    const int ph = PixelsToTwips(skin.height());

    QPainter painter(&surface);
    painter.fillRect(surface.rect(), background);
    const PiecePainter pieces{painter, skin};
    // The top and bottom edges start at 420 and run W wide, past the right edge.
    pieces.Copy({420, 0, w, 600}, {420, 0, 120, 600});
    pieces.Copy({420, h - 600, w, 600}, {420, ph - 600, 120, 600});
    pieces.Copy({0, 0, 200, h}, {0, 880, 200, 40});
    pieces.Copy({w - 200, 0, 200, h}, {pw - 200, 880, 200, 40});
    pieces.Copy({0, 0, 450, 600}, {0, 0, 450, 600});
    pieces.Copy({0, h - 600, 450, 600}, {0, ph - 600, 450, 600});
    pieces.Copy({w - 1665, 0, 1665, 435}, {pw - 1665, 0, 1665, 435});
    pieces.Copy({w - 1665, h - 525, 1665, 525}, {pw - 1665, ph - 525, 1665, 525});

    painter.setFont(font);
    Print(painter, 330, 110, kCaptionShadeColour, caption);
    Print(painter, 340, 120, kCaptionColour, caption);
}

}  // namespace sorvani::shell
