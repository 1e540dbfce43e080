#include "document_box.h"

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QTextBlock>
#include <QTextLayout>

namespace sorvani::shell {

namespace {

TEST(ShowDocument, GivenDocumentsReplaceEachOtherWithoutPilingUp) {
    QTextEdit box;
    NoEventLoop events;
    for (int i = 0; i < 3; ++i) {
        auto document = std::make_unique<QTextDocument>();
        document->setPlainText(QString::number(i));
        ShowDocument(box, std::move(document), events);
    }
    EXPECT_EQ(box.toPlainText(), QStringLiteral("2"));
    EXPECT_EQ(box.findChildren<QTextDocument*>(Qt::FindDirectChildrenOnly).size(), 1);
}

TEST(ShowDocument, LinesScrollUnlessAParagraphIsWiderThanTheWrapWidth) {
    QTextEdit box;
    box.setLineWrapMode(QTextEdit::NoWrap);
    const int column = QFontMetrics(box.font()).horizontalAdvance(u'0');
    box.setLineWrapColumnOrWidth(50 * column);
    box.setWordWrapMode(QTextOption::WrapAnywhere);
    box.resize(300, 200);
    box.show();
    NoEventLoop events;
    const auto show = [&](const QString& text) {
        auto document = std::make_unique<QTextDocument>();
        document->setPlainText(text);
        ShowDocument(box, std::move(document), events);
        // Laid out with the box's settings, once the layout has run.
        const QTextDocument& shown = *box.document();
        EXPECT_GT(shown.documentLayout()->documentSize().height(), 0);
        return shown.firstBlock().layout()->lineCount();
    };
    EXPECT_EQ(show(QString(u'0').repeated(50)), 1);
    EXPECT_EQ(box.lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_GT(show(QString(u'0').repeated(60)), 1);
    EXPECT_EQ(box.lineWrapMode(), QTextEdit::FixedPixelWidth);
    EXPECT_EQ(box.document()->pageSize().width(), 50 * column);
    EXPECT_EQ(box.document()->defaultTextOption().wrapMode(), QTextOption::WrapAnywhere);
    EXPECT_EQ(show(QStringLiteral("short")), 1);
    EXPECT_EQ(box.lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_EQ(box.findChildren<QTextDocument*>(Qt::FindDirectChildrenOnly).size(), 1);
}

}  // namespace

}  // namespace sorvani::shell
