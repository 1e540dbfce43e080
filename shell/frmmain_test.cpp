#include "frmmain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QScreen>
#include <QTextBlock>
#include <optional>

#include "document_font.h"
#include "help_text.h"
#include "recording_prompts.h"
#include "sorvani_version.h"
#include "twips.h"
#include "window_outline.h"

namespace sorvani::shell {

namespace {

class MainWindow : public testing::Test {
  protected:
    MainWindow() : window(dictionary, std::make_unique<RecordingPrompts>()) {
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }

    void ResizeInTwips(int width, int height) {
        const TwipRect old = GeometryInTwips(window);
        SetGeometryInTwips(window, {old.left, old.top, width, height});
        QApplication::processEvents();
    }

    sorvani::PinyinDictionary dictionary;
    frmmain window;
};

TEST_F(MainWindow, StartsCentredWithItsCaptionAndDesignSize) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("SorvaniV1.5"));
    // The version both programs' --version tell.
    EXPECT_EQ(window.windowTitle(), QStringLiteral("SorvaniV") + QLatin1String(kSorvaniVersion));
    const TwipRect geometry = GeometryInTwips(window);
    EXPECT_EQ(geometry.width, 10965);
    EXPECT_EQ(geometry.height, 7530);
    const QRect screen = window.screen()->geometry();
    EXPECT_NEAR(window.geometry().center().x(), screen.center().x(), 1);
    EXPECT_NEAR(window.geometry().center().y(), screen.center().y(), 1);
    EXPECT_EQ(GeometryInTwips(*window.Wj), (TwipRect{120, 240, 8535, 5895}));
    EXPECT_EQ(QApplication::focusWidget(), window.Wj);
}

// Where the window stands when it first shows, as a window manager sees it mapped.
class FirstShowPosition : public QObject {
  public:
    std::optional<QPoint> position;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !position && qobject_cast<frmmain*>(watched))
            position = static_cast<QWidget*>(watched)->pos();
        return false;
    }
};

TEST(MainWindowStart, IsCentredBeforeItFirstShows) {
    // Shown first and moved after, the window is placed where the window manager likes, which
    // may win over the move (fluxbox put it at the top now and then).
    FirstShowPosition first;
    qApp->installEventFilter(&first);
    sorvani::PinyinDictionary dictionary;
    frmmain window(dictionary, std::make_unique<RecordingPrompts>());
    qApp->removeEventFilter(&first);
    ASSERT_TRUE(first.position);
    EXPECT_EQ(*first.position, window.pos());
    const QRect screen = window.screen()->geometry();
    EXPECT_NEAR(first.position->x() + window.width() / 2, screen.center().x(), 1);
}

TEST_F(MainWindow, TheDocumentBoxShowsTheDocumentFontWithoutWrapping) {
    EXPECT_EQ(QFontInfo(window.Wj->font()).family(), sorvani::documents::DocumentFont().family());
    EXPECT_EQ(window.Wj->lineWrapMode(), QTextEdit::NoWrap);
    // Where it wraps a document with a very long paragraph: far wider than an annotation.
    EXPECT_EQ(window.Wj->lineWrapColumnOrWidth(),
              400 * QFontMetrics(window.Wj->font()).horizontalAdvance(u'0'));
}

TEST_F(MainWindow, LaysOutTheChromeAtTheInitialSize) {
    EXPECT_EQ(GeometryInTwips(*window.IMBar), (TwipRect{0, 0, 9865, 255}));
    EXPECT_EQ(GeometryInTwips(*window.Immin), (TwipRect{9870, 120, 255, 240}));
    EXPECT_EQ(GeometryInTwips(*window.Immax), (TwipRect{10185, 120, 255, 240}));
    EXPECT_EQ(GeometryInTwips(*window.Imclose), (TwipRect{10500, 120, 255, 240}));
    EXPECT_EQ(GeometryInTwips(*window.Pbottom), (TwipRect{0, 7335, 10725, 195}));
    EXPECT_EQ(GeometryInTwips(*window.Pright), (TwipRect{10830, 240, 135, 7290}));
    EXPECT_EQ(GeometryInTwips(*window.Pjiao), (TwipRect{10710, 7275, 255, 255}));
    EXPECT_EQ(window.mask(), *WindowOutline(10965, 7530));
}

TEST_F(MainWindow, ChromeFollowsTheRightAndBottomEdgesButNotTheContent) {
    const TwipRect frame2 = GeometryInTwips(*window.Frame2);
    ResizeInTwips(6000, 4500);
    EXPECT_EQ(GeometryInTwips(*window.Immin).left, 6000 - 1095);
    EXPECT_EQ(GeometryInTwips(*window.Imclose).left, 6000 - 465);
    EXPECT_EQ(GeometryInTwips(*window.Pbottom), (TwipRect{0, 4500 - 195, 6000 - 240, 195}));
    EXPECT_EQ(GeometryInTwips(*window.Pjiao), (TwipRect{6000 - 255, 4500 - 255, 255, 255}));
    EXPECT_EQ(GeometryInTwips(*window.Frame2), frame2);
    EXPECT_EQ(window.mask(), *WindowOutline(6000, 4500));
    EXPECT_EQ(window.Surface().size(), window.size());
}

TEST_F(MainWindow, ANarrowWindowKeepsTheCaptionStripsLastWidthAndPlacesTheRest) {
    ResizeInTwips(900, 4500);
    EXPECT_EQ(GeometryInTwips(*window.IMBar).width, 9865);
    EXPECT_EQ(GeometryInTwips(*window.Imclose).left, 900 - 465);
    EXPECT_EQ(GeometryInTwips(*window.Pbottom).width, 900 - 240);
    EXPECT_EQ(GeometryInTwips(*window.Pright).left, 900 - 135);
}

TEST_F(MainWindow, RepaintingTheSkinGivesTheSamePicture) {
    const QImage first = window.Surface();
    window.Form_Resize();
    EXPECT_EQ(window.Surface(), first);
}

TEST_F(MainWindow, MovingOverTheSurfaceClearsOnlyTheMarkedCaptionButtons) {
    window.Immax->SetPicture(window.Immax1);
    window.Immax->Tag = QStringLiteral("1");
    window.Immin->SetPicture(window.ImMin2);  // pressed, not yet marked
    window.Form_MouseMove();
    EXPECT_TRUE(window.Immax->Picture().isNull());
    EXPECT_TRUE(window.Immax->Tag.isEmpty());
    EXPECT_FALSE(window.Immin->Picture().isNull());
}

TEST_F(MainWindow, HelpShowsExactlyTheUsageNotesInPlainText) {
    window.Wj->setHtml(QStringLiteral("<p style='color:red'><b>旧文档</b></p>"));
    window.about_Click();
    window.about_Click();
    const QStringList lines = window.Wj->toPlainText().split(QChar('\n'));
    EXPECT_EQ(lines, BuildHelpText().split(QStringLiteral("\r\n")));
    EXPECT_EQ(
        lines.last(),
        QStringLiteral("    3、看到注音成功的提示后，可以点击导出文件按钮将文件内容框中的文字导出"
                       "到用户指定的文件中。"));
    EXPECT_EQ(lines[lines.size() - 4], QStringLiteral("◇操作说明："));
    const QTextCharFormat format = window.Wj->document()->begin().begin().fragment().charFormat();
    EXPECT_FALSE(format.hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_FALSE(format.hasProperty(QTextFormat::FontWeight));
    EXPECT_EQ(QApplication::focusWidget(), window.Wj);
}

TEST(HelpText, IsMadeOfHeadingsAndIndentedBodyLines) {
    const QString text = BuildHelpText();
    EXPECT_FALSE(text.endsWith(QStringLiteral("\r\n")));
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
        const bool heading = line.startsWith(QChar(u'◇')) && line.endsWith(QChar(u'：'));
        const bool body = line.startsWith(QStringLiteral("    ")) && line.size() > 4;
        EXPECT_TRUE(heading || body) << line.toStdString();
    }
    EXPECT_FALSE(text.contains(QChar('\n') + QStringLiteral("\r")));
}

TEST_F(MainWindow, TabGoesFromTheDocumentThroughTheCommandsInDesignOrder) {
    QWidget* focus = window.Wj;
    QList<QWidget*> order;
    for (int i = 0; i < 6; ++i) {
        order << focus;
        focus = focus->nextInFocusChain();
        while (!(focus->focusPolicy() & Qt::TabFocus) || !focus->isVisibleTo(&window))
            focus = focus->nextInFocusChain();
    }
    EXPECT_EQ(order, (QList<QWidget*>{window.Wj, window.quit, window.LoadFile, window.zy,
                                      window.dcwj, window.about}));
}

}  // namespace

}  // namespace sorvani::shell
