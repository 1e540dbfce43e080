#include "fonts.h"

#include "twips.h"

QFont FontOf(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPixelSize(PointsToPixels(points));
    font.setBold(bold);
    return font;
}
