#include "caption_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QStyleOptionGroupBox>
#include <QToolTip>

namespace sorvani::shell {

namespace {

const QString kPath = QStringLiteral("/home/reader/documents/") + QString(60, QLatin1Char('x')) +
                      QStringLiteral("/第一课 拼音.txt");

TEST(CaptionFrame, ShortensALongPathInTheMiddleSoTheFileNameShows) {
    CaptionFrame frame(nullptr);
    frame.resize(300, 200);
    frame.show();
    frame.SetCaption(kPath);
    EXPECT_EQ(frame.Caption(), kPath);
    EXPECT_TRUE(frame.title().startsWith(QStringLiteral("/home"))) << frame.title().toStdString();
    EXPECT_TRUE(frame.title().endsWith(QStringLiteral("第一课 拼音.txt")));
    EXPECT_TRUE(frame.title().contains(QChar(0x2026)));
    EXPECT_LT(frame.fontMetrics().horizontalAdvance(frame.title()), frame.width());

    // Made wide enough, the frame shows the whole path again; a short caption is never cut.
    frame.resize(4000, 200);
    EXPECT_EQ(frame.title(), kPath);
    frame.resize(300, 200);
    frame.SetCaption(QStringLiteral("文件内容"));
    EXPECT_EQ(frame.title(), QStringLiteral("文件内容"));
}

// The whole path shows as the caption's tooltip, and only over the caption: the document box
// inside the frame would otherwise show it over the text.
TEST(CaptionFrame, ShowsTheWholePathAsTheCaptionsTooltip) {
    CaptionFrame frame(nullptr);
    frame.resize(300, 200);
    frame.SetCaption(kPath);
    frame.show();
    QApplication::processEvents();
    QStyleOptionGroupBox option;
    option.initFrom(&frame);
    option.text = frame.title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect label = frame.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                      QStyle::SC_GroupBoxLabel, &frame);

    const QPoint body = frame.rect().center();
    QHelpEvent overBody(QEvent::ToolTip, body, frame.mapToGlobal(body));
    QApplication::sendEvent(&frame, &overBody);
    EXPECT_FALSE(QToolTip::isVisible());

    QHelpEvent overCaption(QEvent::ToolTip, label.center(), frame.mapToGlobal(label.center()));
    QApplication::sendEvent(&frame, &overCaption);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), kPath);
}

}  // namespace

}  // namespace sorvani::shell
