#include "clipboard_document.h"

#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>

#include "font_names.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

TEST(ClipboardDocument, NamesTheMonospacedFontWhereTheTextHasNoneOfItsOwn) {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(u"Hàn Yǔ \n汉  语 \n"_s);
    QTextCharFormat own;
    own.setFontFamilies({u"KaiTi"_s});
    cursor.insertText(u"楷体"_s, own);
    cursor.select(QTextCursor::Document);

    const ClipboardDocument data(cursor.selection());
    EXPECT_EQ(data.formats(),
              QStringList({u"text/plain"_s, u"text/rtf"_s, u"application/rtf"_s, u"text/html"_s,
                           u"application/vnd.oasis.opendocument.text"_s}));
    EXPECT_EQ(data.text(), u"Hàn Yǔ \n汉  语 \n楷体"_s);
    const QString html = data.html();
    EXPECT_TRUE(
        html.contains(u"font-family:'%1','%2'"_s.arg(kMonospacedFont, kMonospacedFontOnWindows)))
        << html.toStdString();
    EXPECT_TRUE(html.contains(u"font-family:'KaiTi'"_s)) << html.toStdString();
    EXPECT_TRUE(data.data(u"application/vnd.oasis.opendocument.text"_s).startsWith("PK"));
    EXPECT_TRUE(data.data(u"text/rtf"_s).startsWith("{\\rtf1"));
    EXPECT_EQ(data.data(u"application/rtf"_s), data.data(u"text/rtf"_s));
}

}  // namespace
}  // namespace sorvani::documents
