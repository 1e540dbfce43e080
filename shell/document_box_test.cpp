#include "document_box.h"

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>

namespace {

TEST(ShowDocument, GivenDocumentsReplaceEachOtherWithoutPilingUp) {
    QTextEdit box;
    sorvani::NoEventLoop events;
    for (int i = 0; i < 3; ++i) {
        auto document = std::make_unique<QTextDocument>();
        document->setPlainText(QString::number(i));
        ShowDocument(box, std::move(document), events);
    }
    EXPECT_EQ(box.toPlainText(), QStringLiteral("2"));
    EXPECT_EQ(box.findChildren<QTextDocument*>(Qt::FindDirectChildrenOnly).size(), 1);
}

TEST(ShowDocument, TheBoxLaysTheDocumentOutWithItsOwnSettings) {
    QTextEdit box;
    box.setLineWrapMode(QTextEdit::FixedPixelWidth);
    box.setLineWrapColumnOrWidth(100);
    box.setWordWrapMode(QTextOption::WrapAnywhere);
    box.resize(300, 200);
    box.show();
    sorvani::NoEventLoop events;
    auto document = std::make_unique<QTextDocument>();
    document->setPlainText(QString(u'x').repeated(1000));
    ShowDocument(box, std::move(document), events);
    const QTextDocument& shown = *box.document();
    EXPECT_EQ(shown.pageSize().width(), 100);
    EXPECT_EQ(shown.defaultTextOption().wrapMode(), QTextOption::WrapAnywhere);
    EXPECT_GT(shown.documentLayout()->documentSize().height(), 0);
    EXPECT_GT(shown.firstBlock().layout()->lineCount(), 1);
}

}  // namespace
