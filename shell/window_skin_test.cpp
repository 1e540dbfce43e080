#include "window_skin.h"

#include <gtest/gtest.h>

#include <QFontDatabase>

#include "artwork.h"
#include "document_font.h"
#include "fonts.h"

namespace sorvani::shell {

namespace {

const QColor kBackground(236, 233, 216);

QImage Painted(QSize size, const QString& caption) {
    QImage surface(size, QImage::Format_RGB32);
    // The windows' font where it is installed, else the box's: Wine has no SimSun, and the family
    // taken in its place draws strokes too thin to cover a pixel whole.
    const QString family = QFontDatabase::hasFamily(WindowFontFamily())
                               ? WindowFontFamily()
                               : sorvani::documents::DocumentFont().family();
    PaintWindowSkin(surface, SkinPicture(), kBackground, caption,
                    FontOf(family, kWindowFontPoints));
    return surface;
}

bool HasColour(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour) return true;
    return false;
}

TEST(WindowSkin, CornersKeepTheirSizeAndTheMiddleKeepsTheBackground) {
    const QImage skin = SkinPicture();
    ASSERT_EQ(skin.size(), QSize(150, 155));
    const QImage surface = Painted(QSize(731, 502), QString());
    // The top-right corner, with the caption glyphs, is copied pixel for pixel.
    EXPECT_EQ(surface.copy(731 - 111, 0, 111, 29), skin.copy(150 - 111, 0, 111, 29));
    EXPECT_EQ(surface.copy(731 - 111, 502 - 35, 111, 35), skin.copy(150 - 111, 155 - 35, 111, 35));
    EXPECT_EQ(surface.copy(0, 0, 30, 40), skin.copy(0, 0, 30, 40));
    EXPECT_EQ(surface.copy(0, 502 - 40, 30, 40), skin.copy(0, 155 - 40, 30, 40));
    EXPECT_EQ(surface.pixelColor(365, 251), kBackground);
    // The edges are stretched along the sides: the same column all the way down.
    EXPECT_EQ(surface.pixelColor(730, 100), surface.pixelColor(730, 400));
    EXPECT_EQ(surface.pixelColor(300, 499), surface.pixelColor(500, 499));
}

TEST(WindowSkin, PrintsTheCaptionInTwoColoursNearTheTopLeft) {
    const QRect captionArea(20, 6, 120, 20);
    const QImage blank = Painted(QSize(400, 300), QString());
    const QImage titled = Painted(QSize(400, 300), QStringLiteral("SorvaniV1.5"));
    EXPECT_FALSE(HasColour(blank, captionArea, kCaptionColour));
    EXPECT_TRUE(HasColour(titled, captionArea, kCaptionColour));
    EXPECT_EQ(titled.copy(0, 40, 400, 260), blank.copy(0, 40, 400, 260));
}

}  // namespace

}  // namespace sorvani::shell
