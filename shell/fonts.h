#pragma once

#include <QFont>
#include <QString>

namespace sorvani::shell {

// The family of the windows' own font (captions, labels): SimSun where it exists.
QString WindowFontFamily();

// A font of the given family and size; sizes are in points at the fixed 15 twips per pixel.
QFont FontOf(const QString& family, double points, bool bold = false);

inline constexpr double kWindowFontPoints = 10.5;

}  // namespace sorvani::shell
