#pragma once

#include "twips.h"

namespace sorvani::shell {

// Design geometry of the main window and its controls, in twips. Controls inside a frame are
// placed relative to the frame.
namespace frmmain_geometry {

inline constexpr int kInitialWidth = 10965;
inline constexpr int kInitialHeight = 7530;

inline constexpr TwipRect kFrame1{240, 600, 1575, 6255};
inline constexpr TwipRect kFrame2{1920, 600, 8775, 6255};
inline constexpr TwipRect kWj{120, 240, 8535, 5895};
// Half-width columns after which the document box wraps a line, when it holds a paragraph too
// long to draw at every paint: far more than a line of an annotation holds.
inline constexpr int kWjWrapColumns = 400;
inline constexpr TwipRect kLabel1{240, 360, 900, 300};
inline constexpr TwipRect kLabel2{8040, 5700, 675, 375};
inline constexpr TwipRect kPrgB{2040, 6360, 7815, 375};
inline constexpr TwipRect kWjtemp{6720, 1440, 1575, 855};
inline constexpr TwipRect kWj2{6720, 2520, 1575, 855};

// The command buttons stand in a column in Frame1.
inline constexpr int kCommandLeft = 120;
inline constexpr int kCommandFirstTop = 240;
inline constexpr int kCommandSpacing = 960;
inline constexpr int kCommandWidth = 1335;
inline constexpr int kCommandHeight = 855;
// The reading options below the commands.
inline constexpr TwipRect kByWordOption{120, 5055, 1335, 315};
inline constexpr TwipRect kToneChangeOption{120, 5430, 1335, 315};

// The chrome is laid out from the window's right and bottom edges on every size change.
inline constexpr int kCaptionStripHeight = 255;
inline constexpr int kCaptionStripRightGap = 1100;
inline constexpr int kCaptionButtonTop = 120;
inline constexpr int kCaptionButtonWidth = 255;
inline constexpr int kCaptionButtonHeight = 240;
inline constexpr int kMinimizeFromRight = 1095;
inline constexpr int kMaximizeFromRight = 780;
inline constexpr int kCloseFromRight = 465;
inline constexpr int kBottomGripHeight = 195;
inline constexpr int kRightGripWidth = 135;
inline constexpr int kCornerGripSize = 255;
// The bottom grip leaves the corner free; the right grip starts below the caption buttons.
inline constexpr int kBottomGripRightGap = 240;
inline constexpr int kRightGripTop = 240;

}  // namespace frmmain_geometry

}  // namespace sorvani::shell
