#include "window_outline.h"

#include <gtest/gtest.h>

#include <string>

#include "twips.h"

namespace sorvani::shell {

namespace {

// A window size in twips, named for where it occurs.
struct OutlineCase {
    const char* name;
    int widthTwips;
    int heightTwips;
};

// The case by its name, in the test names that ctest lists.
void PrintTo(const OutlineCase& c, std::ostream* out) { *out << c.name; }

class OutlineCorners : public testing::TestWithParam<OutlineCase> {};

// Whatever the size, the four corner pixels fall outside the window, so the desktop shows through
// them, while the middle of every edge and the centre stay inside.
TEST_P(OutlineCorners, AreTransparentWhileTheEdgesBetweenThemStay) {
    const OutlineCase size = GetParam();
    const QRegion outline = *WindowOutline(size.widthTwips, size.heightTwips);
    const int right = TwipsToPixels(size.widthTwips) - 1;
    const int bottom = TwipsToPixels(size.heightTwips) - 1;
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
        EXPECT_FALSE(outline.contains(corner)) << corner.x() << "," << corner.y();
    for (const QPoint inside :
         {QPoint(right / 2, 0), QPoint(right / 2, bottom), QPoint(0, bottom / 2),
          QPoint(right, bottom / 2), QPoint(right / 2, bottom / 2)})
        EXPECT_TRUE(outline.contains(inside)) << inside.x() << "," << inside.y();
}

INSTANTIATE_TEST_SUITE_P(Sizes, OutlineCorners,
                         testing::Values(OutlineCase{"MainWindow", 10965, 7530},
                                         OutlineCase{"Splash", 5085, 3270},
                                         OutlineCase{"NarrowestMainWindow", 2505, 7530},
                                         OutlineCase{"LowestMainWindow", 10965, 1515}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WindowOutline, RoundsThreeCornersAndKeepsTheGripCornerNearlySquare) {
    const QRegion outline = *WindowOutline(10965, 7530);
    // The top-right ellipse reaches one pixel beyond the right edge.
    EXPECT_EQ(outline.boundingRect(), QRect(0, 0, 732, 502));
    // The rounded corners cut about 26 pixels away.
    EXPECT_FALSE(outline.contains(QPoint(0, 0)));
    EXPECT_FALSE(outline.contains(QPoint(730, 0)));
    EXPECT_FALSE(outline.contains(QPoint(0, 501)));
    EXPECT_FALSE(outline.contains(QPoint(5, 5)));
    EXPECT_TRUE(outline.contains(QPoint(26, 1)));
    EXPECT_TRUE(outline.contains(QPoint(0, 26)));
    // The bottom-right corner loses only its last few pixels.
    EXPECT_FALSE(outline.contains(QPoint(730, 501)));
    EXPECT_TRUE(outline.contains(QPoint(724, 501)));
    EXPECT_TRUE(outline.contains(QPoint(730, 495)));
    EXPECT_TRUE(outline.contains(QPoint(727, 498)));
    EXPECT_TRUE(outline.contains(QPoint(365, 251)));
}

TEST(WindowOutline, TheSplashGetsTheSameShapeForItsSize) {
    const QRegion outline = *WindowOutline(5085, 3270);
    EXPECT_EQ(outline.boundingRect(), QRect(0, 0, 340, 218));
    EXPECT_FALSE(outline.contains(QPoint(338, 217)));
    EXPECT_TRUE(outline.contains(QPoint(332, 217)));
    EXPECT_FALSE(outline.contains(QPoint(338, 0)));
}

TEST(WindowOutline, AHeightBeyondSixteenBitsOfPixelsHasNoOutline) {
    EXPECT_TRUE(WindowOutline(10965, 32767 * 15).has_value());
    EXPECT_FALSE(WindowOutline(10965, 32768 * 15).has_value());
}

}  // namespace

}  // namespace sorvani::shell
