#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QStyleHints>
#include <QTest>

#include "frmmain.h"
#include "twips.h"

namespace sorvani::shell {

namespace {

// The pointer where the test puts it, in screen pixels.
class PlacedPointer : public PointerPosition {
  public:
    explicit PlacedPointer(QPoint& at) : at_(at) {}
    QPoint ScreenPixels() const override { return at_; }

  private:
    QPoint& at_;
};

class Chrome : public testing::Test {
  protected:
    Chrome() : window(dictionary, nullptr, std::make_unique<PlacedPointer>(pointer)) {
        window.show();
        QApplication::processEvents();
    }

    bool Shows(const ImageControl& button, const QPixmap& picture) const {
        return button.Picture().cacheKey() == picture.cacheKey();
    }
    bool ShowsGlyph(const ImageControl& button) const { return button.Picture().isNull(); }
    bool Marked(const ImageControl& button) const { return button.Tag == QStringLiteral("1"); }

    // Mouse events go through the window, which gives a pressed control the mouse until the
    // release, as the window system does; positions are relative to the control.
    QPoint At(const QWidget& control, QPoint point) const { return control.mapTo(&window, point); }
    QPoint Middle(const QWidget& control) const { return control.rect().center(); }
    void MoveTo(const QWidget& control, QPoint point) {
        QTest::mouseMove(window.windowHandle(), At(control, point));
    }
    void MoveOver(const QWidget& control) { MoveTo(control, Middle(control)); }
    // A point of the window's bare surface, left of the command column.
    void MoveOverSurface() { MoveTo(window, QPoint(5, 300)); }
    void Press(const QWidget& control, Qt::MouseButton button = Qt::LeftButton) {
        // Apart in time from the previous press, so that it is never taken for a double-click.
        const int apart = QGuiApplication::styleHints()->mouseDoubleClickInterval() + 1;
        QTest::mousePress(window.windowHandle(), button, {}, At(control, Middle(control)), apart);
    }
    void Release(const QWidget& control, QPoint point, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(window.windowHandle(), button, {}, At(control, point));
        QApplication::processEvents();
    }
    void ClickOn(const QWidget& control) {
        MoveOver(control);
        Press(control);
        Release(control, Middle(control));
    }
    void DoubleClickOn(const QWidget& control, QPoint point) {
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, At(control, point));
        QApplication::processEvents();
    }

    // Drags a grip: press, the pointer to the given screen pixel, a move, release.
    void Drag(ImageControl& grip, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
        Press(grip, button);
        pointer = to;
        MoveTo(grip, Middle(grip) + QPoint(1, 1));
        QApplication::processEvents();
        Release(grip, Middle(grip), button);
    }
    QPoint ScreenPixelFor(int widthTwips, int heightTwips) const {
        return window.geometry().topLeft() +
               QPoint(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
    }

    QPoint pointer;
    sorvani::PinyinDictionary dictionary;
    frmmain window;
};

TEST_F(Chrome, ACaptionButtonLightsOnceAndGoesOutOverTheBareSurfaceOnly) {
    MoveOver(*window.Immin);
    EXPECT_TRUE(Shows(*window.Immin, window.ImMin1));
    EXPECT_TRUE(Marked(*window.Immin));
    MoveOver(*window.Immin);
    EXPECT_TRUE(Shows(*window.Immin, window.ImMin1));

    // Leaving onto the caption strip or another control keeps it lit.
    MoveOver(*window.IMBar);
    EXPECT_TRUE(Shows(*window.Immin, window.ImMin1));
    MoveOver(*window.Frame2);
    EXPECT_TRUE(Shows(*window.Immin, window.ImMin1));

    MoveOverSurface();
    EXPECT_TRUE(ShowsGlyph(*window.Immin));
    EXPECT_FALSE(Marked(*window.Immin));
}

TEST_F(Chrome, APressShowsThePressedLookUntilTheReleaseWhereverThePointerGoes) {
    // Lit, then pressed: the pressed picture stays while the pointer moves with the button held.
    MoveOver(*window.Imclose);
    Press(*window.Imclose);
    EXPECT_TRUE(Shows(*window.Imclose, window.ImClose2));
    EXPECT_TRUE(Marked(*window.Imclose));
    MoveTo(window, QPoint(300, 300));
    EXPECT_TRUE(Shows(*window.Imclose, window.ImClose2));

    // Released off the button: no command runs, the button is back to its glyph.
    Release(window, QPoint(300, 300));
    EXPECT_TRUE(ShowsGlyph(*window.Imclose));
    EXPECT_FALSE(Marked(*window.Imclose));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.TaskbarProxy().isVisible());
}

TEST_F(Chrome, APressBeforeAnyMoveLightsOnTheFirstMoveWhileHeld) {
    // Minimized and restored from the taskbar, the button is unlit with the pointer still on it.
    ClickOn(*window.Immin);
    window.TaskbarProxy().showNormal();
    QApplication::processEvents();
    ASSERT_TRUE(window.isVisible());
    ASSERT_TRUE(ShowsGlyph(*window.Immin));

    Press(*window.Immin);
    EXPECT_TRUE(Shows(*window.Immin, window.ImMin2));
    EXPECT_FALSE(Marked(*window.Immin));
    MoveTo(*window.Immin, Middle(*window.Immin) + QPoint(1, 0));
    EXPECT_TRUE(Shows(*window.Immin, window.ImMin1));
    EXPECT_TRUE(Marked(*window.Immin));
    MoveTo(window, QPoint(300, 300));
    EXPECT_TRUE(Shows(*window.Immin, window.ImMin1));

    Release(window, QPoint(300, 300));
    EXPECT_TRUE(ShowsGlyph(*window.Immin));
    EXPECT_FALSE(Marked(*window.Immin));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(Chrome, MinimizeHidesTheWindowAndMinimizesTheProxy) {
    ClickOn(*window.Immin);
    EXPECT_TRUE(ShowsGlyph(*window.Immin));
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.TaskbarProxy().isMinimized());
}

TEST_F(Chrome, MaximizeAndRestoreCarryTheContentAndSwapTheLooks) {
    const TwipRect frame1 = GeometryInTwips(*window.Frame1);
    const TwipRect frame2 = GeometryInTwips(*window.Frame2);
    const TwipRect wj = GeometryInTwips(*window.Wj);
    const QSize before = window.size();

    ClickOn(*window.Immax);
    ASSERT_TRUE(window.isMaximized());
    const int dw = PixelsToTwips(window.width() - before.width());
    const int dh = PixelsToTwips(window.height() - before.height());
    ASSERT_GT(dw, 0);
    EXPECT_EQ(GeometryInTwips(*window.Frame2),
              (TwipRect{frame2.left, frame2.top, frame2.width + dw, frame2.height + dh}));
    EXPECT_EQ(GeometryInTwips(*window.Frame1),
              (TwipRect{frame1.left, frame1.top, frame1.width, frame1.height + dh}));
    EXPECT_EQ(GeometryInTwips(*window.Wj),
              (TwipRect{wj.left, wj.top, wj.width + dw, wj.height + dh}));
    EXPECT_EQ(window.Immax->toolTip(), QStringLiteral("还原"));
    EXPECT_FALSE(window.Pbottom->isVisible());
    EXPECT_FALSE(window.Pright->isVisible());
    EXPECT_TRUE(window.Pjiao->isVisible());
    EXPECT_EQ(GeometryInTwips(*window.Imclose).left, PixelsToTwips(window.width()) - 465);
    // The restore glyph stands on the surface where the maximize glyph was.
    const QRect glyph(window.Immax->pos(), QSize(16, 16));
    EXPECT_EQ(window.Surface().copy(glyph), window.IMus0.toImage().copy(0, 0, 16, 16));

    MoveOverSurface();
    MoveOver(*window.Immax);
    EXPECT_TRUE(Shows(*window.Immax, window.IMus1));
    Press(*window.Immax);
    EXPECT_TRUE(Shows(*window.Immax, window.IMus2));
    Release(*window.Immax, Middle(*window.Immax));

    EXPECT_FALSE(window.isMaximized());
    EXPECT_EQ(window.size(), before);
    EXPECT_EQ(GeometryInTwips(*window.Frame1), frame1);
    EXPECT_EQ(GeometryInTwips(*window.Frame2), frame2);
    EXPECT_EQ(GeometryInTwips(*window.Wj), wj);
    EXPECT_EQ(window.Immax->toolTip(), QStringLiteral("最大化"));
    EXPECT_TRUE(window.Pbottom->isVisible());
    EXPECT_TRUE(window.Pright->isVisible());
    MoveOverSurface();
    MoveOver(*window.Immax);
    EXPECT_TRUE(Shows(*window.Immax, window.Immax1));
}

TEST_F(Chrome, AfterAGripIsPressedTheContentNoLongerFollowsTheToggle) {
    const TwipRect wj = GeometryInTwips(*window.Wj);
    window.Immax_Click();
    QApplication::processEvents();
    window.Immax_Click();
    QApplication::processEvents();
    EXPECT_EQ(GeometryInTwips(*window.Wj), wj);

    Press(*window.Pjiao);
    Release(*window.Pjiao, Middle(*window.Pjiao));
    window.resize(window.size() + QSize(30, 30));
    QApplication::processEvents();
    EXPECT_EQ(GeometryInTwips(*window.Wj), wj);
}

TEST_F(Chrome, ADoubleClickOnTheCaptionStripTogglesAsTheButtonDoes) {
    DoubleClickOn(*window.IMBar, QPoint(200, 8));
    EXPECT_TRUE(window.isMaximized());
    EXPECT_FALSE(window.Pbottom->isVisible());
    DoubleClickOn(*window.IMBar, QPoint(200, 8));
    EXPECT_FALSE(window.isMaximized());
    EXPECT_EQ(window.Immax->toolTip(), QStringLiteral("最大化"));
}

TEST_F(Chrome, MinimizedTheWindowComesBackInTheStateItHadWhenTheProxyIsRestored) {
    ClickOn(*window.Immax);
    ClickOn(*window.Immin);
    EXPECT_FALSE(window.isVisible());
    window.TaskbarProxy().showNormal();
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isMaximized());

    // Maximizing the proxy only keeps the main window visible.
    ClickOn(*window.Immax);
    window.TaskbarProxy().showMaximized();
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMaximized());
}

TEST_F(Chrome, TheProxyStandsForTheProgramOutOfSight) {
    const frmtemp& proxy = window.TaskbarProxy();
    EXPECT_EQ(proxy.windowTitle(), QStringLiteral("SorvaniV1.5"));
    EXPECT_FALSE(proxy.windowIcon().isNull());
    EXPECT_GT(proxy.x(), window.screen()->virtualGeometry().right());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::Tool));
}

TEST_F(Chrome, CloseAndExitEndTheProgramTheSameWay) {
    ClickOn(*window.Imclose);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.TaskbarProxy().isVisible());

    sorvani::PinyinDictionary other;
    frmmain second(other);
    second.show();
    QTest::mouseClick(second.quit, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(second.isVisible());
    EXPECT_FALSE(second.TaskbarProxy().isVisible());
}

TEST_F(Chrome, ClosingTheProxyClosesTheMainWindow) {
    window.TaskbarProxy().close();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(Chrome, ClosingTheMainWindowByTheWindowSystemTakesTheProxyAlong) {
    window.close();
    EXPECT_FALSE(window.TaskbarProxy().isVisible());
}

TEST_F(Chrome, TheBottomGripStopsAboveTheMinimumHeightAndCarriesTheFrames) {
    const TwipRect frame1 = GeometryInTwips(*window.Frame1);
    const TwipRect frame2 = GeometryInTwips(*window.Frame2);
    const TwipRect wj = GeometryInTwips(*window.Wj);
    const int width = GeometryInTwips(window).width;

    Drag(*window.Pbottom, ScreenPixelFor(0, 1515));
    EXPECT_EQ(GeometryInTwips(window).height, 1515);
    EXPECT_EQ(GeometryInTwips(window).width, width);
    EXPECT_EQ(GeometryInTwips(*window.Frame1).height, frame1.height + 1515 - 7530);
    EXPECT_EQ(GeometryInTwips(*window.Frame2).height, frame2.height + 1515 - 7530);
    EXPECT_EQ(GeometryInTwips(*window.Pbottom).top, 1515 - 195);

    Drag(*window.Pbottom, ScreenPixelFor(0, 1500));
    EXPECT_EQ(GeometryInTwips(window).height, 1515);

    Drag(*window.Pbottom, ScreenPixelFor(0, 7530), Qt::RightButton);
    EXPECT_EQ(GeometryInTwips(window).height, 7530);
    EXPECT_EQ(GeometryInTwips(*window.Frame1), frame1);
    EXPECT_EQ(GeometryInTwips(*window.Frame2), frame2);
    EXPECT_EQ(GeometryInTwips(*window.Wj), wj);
}

TEST_F(Chrome, TheRightGripStopsAboveTheMinimumWidthAndCarriesTheDocumentFrame) {
    // The pointer stands at whole pixels, so widths go in steps of 15 twips around the limit.
    const TwipRect frame2 = GeometryInTwips(*window.Frame2);
    Drag(*window.Pright, ScreenPixelFor(2490, 0));
    EXPECT_EQ(GeometryInTwips(window).width, 10965);
    Drag(*window.Pright, ScreenPixelFor(2505, 0));
    EXPECT_EQ(GeometryInTwips(window).width, 2505);
    EXPECT_EQ(GeometryInTwips(*window.Frame2).width, frame2.width + 2505 - 10965);
    EXPECT_EQ(GeometryInTwips(*window.Imclose).left, 2505 - 465);
}

TEST_F(Chrome, TheCornerGripJudgesEachAxisOnItsOwnAndCarriesNothing) {
    const TwipRect frame2 = GeometryInTwips(*window.Frame2);
    Drag(*window.Pjiao, ScreenPixelFor(1500, 6000));
    EXPECT_EQ(GeometryInTwips(window).width, 10965);
    EXPECT_EQ(GeometryInTwips(window).height, 6000);
    Drag(*window.Pjiao, ScreenPixelFor(9000, 900));
    EXPECT_EQ(GeometryInTwips(window).width, 9000);
    EXPECT_EQ(GeometryInTwips(window).height, 6000);
    EXPECT_EQ(GeometryInTwips(*window.Frame2), frame2);
}

// The frames are carried down past nothing and up again by the same amounts, so they come back
// whole; the corner carries nothing. A sequence that returns to the start size returns the start
// layout, however far the frames went below zero on the way.
TEST_F(Chrome, GripSequencesThatReturnToASizeReturnTheSameLayout) {
    const TwipRect frame1 = GeometryInTwips(*window.Frame1);
    const TwipRect frame2 = GeometryInTwips(*window.Frame2);
    const TwipRect wj = GeometryInTwips(*window.Wj);

    Drag(*window.Pjiao, ScreenPixelFor(10830, 9030));
    Drag(*window.Pbottom, ScreenPixelFor(0, 1515));
    EXPECT_EQ(GeometryInTwips(*window.Frame1).height, frame1.height + 1515 - 9030);
    EXPECT_EQ(window.Frame1->height(), 0);
    EXPECT_EQ(window.Frame2->height(), 0);
    Drag(*window.Pright, ScreenPixelFor(2505, 0));
    Drag(*window.Pbottom, ScreenPixelFor(0, 9030));
    Drag(*window.Pright, ScreenPixelFor(10830, 0));
    EXPECT_EQ(GeometryInTwips(*window.Frame1), frame1);
    EXPECT_EQ(GeometryInTwips(*window.Frame2), frame2);
    EXPECT_EQ(window.Frame1->height(), TwipsToPixels(frame1.height));

    Drag(*window.Pjiao, ScreenPixelFor(10965, 7530));
    EXPECT_EQ(GeometryInTwips(window).width, 10965);
    EXPECT_EQ(GeometryInTwips(window).height, 7530);
    EXPECT_EQ(GeometryInTwips(*window.Frame1), frame1);
    EXPECT_EQ(GeometryInTwips(*window.Frame2), frame2);
    EXPECT_EQ(GeometryInTwips(*window.Wj), wj);
}

TEST_F(Chrome, GripsResizeOnlyWhileDraggedAndNeverAMaximizedWindow) {
    pointer = ScreenPixelFor(6000, 6000);
    MoveOver(*window.Pjiao);
    MoveTo(*window.Pjiao, QPoint(3, 3));
    EXPECT_EQ(GeometryInTwips(window).height, 7530);

    ClickOn(*window.Immax);
    const QSize maximized = window.size();
    Drag(*window.Pjiao, ScreenPixelFor(6000, 6000));
    EXPECT_EQ(window.size(), maximized);
}

}  // namespace

}  // namespace sorvani::shell
