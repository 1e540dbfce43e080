#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace sorvani::shell {

// The pictures embedded in the program.

// The window skin, 150 x 155 pixels.
QImage SkinPicture();

// A 17 x 16 caption-button state picture by its name ("ImMin1", "IMus0", ...).
QPixmap StatePicture(const QString& name);

// The application icon, 16 and 32 pixels.
QIcon ApplicationIcon();

}  // namespace sorvani::shell
