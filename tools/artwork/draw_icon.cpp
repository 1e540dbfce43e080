#include <QPainter>
#include <QPainterPath>

#include "artwork_drawing.h"

namespace {

// A blue tile with a white "p" under a tone mark: pinyin over a character.
QImage DrawIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(31, 96, 169));
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10, 7), QPointF(22, 7));  // the tone mark
    painter.drawLine(QPointF(11, 13), QPointF(11, 27));
    painter.drawEllipse(QPointF(16.5, 17.5), 5.5, 4.5);
    return icon;
}

}  // namespace

std::vector<NamedImage> DrawIcons() {
    std::vector<NamedImage> icons;
    // The window uses 16 and 32; the desktop's menus and launchers the hicolor theme's sizes.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icons.push_back({QStringLiteral("icon%1.png").arg(size), DrawIcon(size)});
    return icons;
}
