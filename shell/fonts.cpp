#include "fonts.h"

#include "twips.h"

namespace sorvani::shell {

QFont FontOf(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPixelSize(PointsToPixels(points));
    font.setBold(bold);
    return font;
}

}  // namespace sorvani::shell
