#pragma once

#include <QRegion>
#include <optional>
#include <vector>

class QWidget;

namespace sorvani::shell {

// One piece of the rounded window outline, in pixels. As with window regions, the box runs
// from (left, top) up to but excluding (right, bottom); an ellipse is the one inscribed in it.
struct OutlineShape {
    enum class Kind { Rectangle, Ellipse };

    Kind kind;
    int left;
    int top;
    int right;
    int bottom;

    friend bool operator==(const OutlineShape&, const OutlineShape&) = default;
};

// The pieces whose union is the outline of a window of the given pixel size, in the order they
// are united: three corners rounded with a radius of about 26 pixels, the bottom-right corner
// (where the size grip is) nearly square.
std::vector<OutlineShape> WindowOutlineShapes(int widthPixels, int heightPixels);

// The outline of a window of the given size in twips, or nothing when the height in pixels does
// not fit 16 bits.
std::optional<QRegion> WindowOutline(int widthTwips, int heightTwips);

// Cuts the window to its outline; the window keeps its previous outline when there is none.
void ShapeWindowRegion(QWidget& form);

}  // namespace sorvani::shell
