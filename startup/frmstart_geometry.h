#pragma once

#include <QColor>

namespace sorvani::startup {

// Design values of the splash screen; geometry in twips.
namespace frmstart_geometry {

inline constexpr int kWidth = 5085;
inline constexpr int kHeight = 3270;
inline constexpr int kLineTop = 360;
inline constexpr int kLineBottom = 3360;
inline constexpr int kLinePixels = 2;

inline constexpr int kSwingStep = 100;
inline constexpr int kSweepStep = 300;
inline constexpr int kAnimationInterval = 50;  // ms, Timer1 to Timer3
inline constexpr int kFinishInterval = 500;    // ms, Timer4

inline constexpr int kFooterLeft = 200;
inline constexpr int kFooterRightMargin = 100;
inline constexpr int kFooterFromBottom = 300;

inline const QColor kBackground{234, 235, 236};
inline const QColor kLine1Colour{0, 0, 255};
inline const QColor kLine2Colour{255, 128, 0};
inline const QColor kLine3Colour{255, 0, 255};
inline const QColor kTitleColour{255, 0, 0};
inline const QColor kTitleFinalColour{15, 0, 240};

inline constexpr double kTitlePoints = 18;
inline constexpr double kFooterPoints = 10.5;

}  // namespace frmstart_geometry

}  // namespace sorvani::startup
