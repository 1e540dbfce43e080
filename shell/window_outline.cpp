#include "window_outline.h"

#include <QWidget>
#include <cstdint>
#include <limits>

#include "twips.h"

namespace sorvani::shell {

namespace {

QRegion RegionOf(const OutlineShape& shape) {
    const QRect box(shape.left, shape.top, shape.right - shape.left, shape.bottom - shape.top);
    return QRegion(
        box, shape.kind == OutlineShape::Kind::Ellipse ? QRegion::Ellipse : QRegion::Rectangle);
}

}  // namespace

std::vector<OutlineShape> WindowOutlineShapes(int wp, int hp) {
    using enum OutlineShape::Kind;
    return {
        {Rectangle, 0, 26, wp, hp - 26}, {Rectangle, 23, 0, wp - 23, hp},
        {Rectangle, 23, 52, wp, hp - 6}, {Rectangle, 52, 52, wp - 6, hp},
        {Ellipse, 1, 0, 52, 52},         {Ellipse, wp - 50, 0, wp + 1, 52},
        {Ellipse, 0, hp - 52, 52, hp},   {Ellipse, wp - 9, hp - 9, wp, hp},
    };
}

std::optional<QRegion> WindowOutline(int widthTwips, int heightTwips) {
    const int wp = TwipsToPixels(widthTwips);
    const int hp = TwipsToPixels(heightTwips);
    if (hp > std::numeric_limits<int16_t>::max()) return std::nullopt;
    QRegion outline;
    for (const OutlineShape& shape : WindowOutlineShapes(wp, hp)) outline += RegionOf(shape);
    return outline;
}

void ShapeWindowRegion(QWidget& form) {
    const TwipRect size = GeometryInTwips(form);
    if (const auto outline = WindowOutline(size.width, size.height)) form.setMask(*outline);
}

}  // namespace sorvani::shell
