#include "document_box.h"

#include <gtest/gtest.h>

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

}  // namespace
