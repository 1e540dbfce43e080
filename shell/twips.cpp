#include "twips.h"

#include <QVariant>
#include <QWidget>
#include <cmath>

namespace sorvani::shell {

int TwipsToPixels(double twips) { return static_cast<int>(std::nearbyint(twips / kTwipsPerPixel)); }

int PointsToPixels(double points) { return TwipsToPixels(points * kTwipsPerPoint); }

QRect ToPixels(const TwipRect& twips) {
    return QRect(TwipsToPixels(twips.left), TwipsToPixels(twips.top), TwipsToPixels(twips.width),
                 TwipsToPixels(twips.height));
}

TwipRect ToTwips(const QRect& pixels) {
    return {PixelsToTwips(pixels.x()), PixelsToTwips(pixels.y()), PixelsToTwips(pixels.width()),
            PixelsToTwips(pixels.height())};
}

namespace {

// Twips are finer than pixels: the geometry last set in twips is kept with a control and read
// back as long as the control still stands where it put it.
constexpr const char* kTwipGeometry = "twipGeometry";

QRect AsRect(const TwipRect& twips) {
    return QRect(twips.left, twips.top, twips.width, twips.height);
}

// Where a control set to the twips stands: a width or height below zero shows as none.
QRect ShownPixels(const TwipRect& twips) {
    QRect pixels = ToPixels(twips);
    pixels.setSize(pixels.size().expandedTo(QSize(0, 0)));
    return pixels;
}

}  // namespace

TwipRect GeometryInTwips(const QWidget& widget) {
    const QVariant stored = widget.property(kTwipGeometry);
    if (stored.isValid()) {
        const QRect r = stored.toRect();
        const TwipRect twips{r.x(), r.y(), r.width(), r.height()};
        if (ShownPixels(twips) == widget.geometry()) return twips;
    }
    return ToTwips(widget.geometry());
}

void SetGeometryInTwips(QWidget& widget, const TwipRect& twips) {
    widget.setGeometry(ShownPixels(twips));
    // A window stands where the window system puts it, at whole pixels.
    if (!widget.isWindow()) widget.setProperty(kTwipGeometry, AsRect(twips));
}

void MoveInTwips(QWidget& widget, double left, double top) {
    const TwipRect old = GeometryInTwips(widget);
    SetGeometryInTwips(widget, {static_cast<int>(std::nearbyint(left)),
                                static_cast<int>(std::nearbyint(top)), old.width, old.height});
}

void GrowInTwips(QWidget& widget, int width, int height) {
    TwipRect geometry = GeometryInTwips(widget);
    geometry.width += width;
    geometry.height += height;
    SetGeometryInTwips(widget, geometry);
}

}  // namespace sorvani::shell
