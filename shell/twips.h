#pragma once

#include <QRect>

class QWidget;

namespace sorvani::shell {

// Forms and controls keep their geometry in twips. The design assumes 96 dots per inch, so a
// pixel is always 15 twips, whatever the display reports.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kTwipsPerPoint = 20;

// A rectangle in twips: left, top, width, height.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// The nearest whole pixel; a half goes to the even neighbour.
int TwipsToPixels(double twips);

// Pixels as a fraction, for drawing.
constexpr double TwipsToPixelsF(double twips) { return twips / kTwipsPerPixel; }

// The pixel size of a font given in points.
int PointsToPixels(double points);

QRect ToPixels(const TwipRect& twips);
TwipRect ToTwips(const QRect& pixels);

// A widget's geometry (relative to its parent, or to the screen for a window) in twips. What was
// set in twips on a control reads back exactly, though the control stands at whole pixels, and
// so does a negative width or height, though the control shows it as none: sizes carried down
// past zero and back up again come back whole.
TwipRect GeometryInTwips(const QWidget& widget);
void SetGeometryInTwips(QWidget& widget, const TwipRect& twips);
// Changes the width and height by the given twips, keeping the position.
void GrowInTwips(QWidget& widget, int width, int height);
// Moves to the nearest whole twip, keeping the size.
void MoveInTwips(QWidget& widget, double left, double top);

}  // namespace sorvani::shell
