#include "window_outline.h"

#include <gtest/gtest.h>

namespace {

using Kind = OutlineShape::Kind;

TEST(WindowOutline, PiecesAtTheMainWindowsInitialSize) {
    const auto shapes = WindowOutlineShapes(731, 502);
    ASSERT_EQ(shapes.size(), 8u);
    EXPECT_EQ(shapes.front(), (OutlineShape{Kind::Rectangle, 0, 26, 731, 476}));
    EXPECT_EQ(shapes[4], (OutlineShape{Kind::Ellipse, 1, 0, 52, 52}));
    EXPECT_EQ(shapes[5], (OutlineShape{Kind::Ellipse, 681, 0, 732, 52}));
    EXPECT_EQ(shapes.back(), (OutlineShape{Kind::Ellipse, 722, 493, 731, 502}));
}

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
