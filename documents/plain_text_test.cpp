#include "plain_text.h"

#include <gtest/gtest.h>

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

TEST(PlainText, Utf8WithOrWithoutByteOrderMark) {
    EXPECT_EQ(DecodePlainText("\xE6\xB1\x89\xE8\xAF\xAD abc"), u"汉语 abc"_s);
    EXPECT_EQ(DecodePlainText("\xEF\xBB\xBF\xE6\xB1\x89\xE8\xAF\xAD"), u"汉语"_s);
    EXPECT_EQ(DecodePlainText("\xEF\xBB\xBF"), QString());
    EXPECT_EQ(DecodePlainText(""), QString());
}

TEST(PlainText, CodePage936WhenNotUtf8) {
    EXPECT_EQ(DecodePlainText("\xBA\xBA\xD3\xEF abc"), u"汉语 abc"_s);
    // A byte-order mark does not make invalid UTF-8 valid.
    EXPECT_EQ(DecodePlainText("\xEF\xBB\xBF\xBA\xBA"), u"汉"_s);
    EXPECT_EQ(DecodePlainText("\xBA"), u"\uFFFD"_s);
}

TEST(PlainText, Utf16WithByteOrderMark) {
    EXPECT_EQ(DecodePlainText(QByteArrayView("\xFF\xFE\x49\x6C\x0D\x00\x0A\x00", 8)), u"汉\n"_s);
    EXPECT_EQ(DecodePlainText(QByteArrayView("\xFE\xFF\x6C\x49", 4)), u"汉"_s);
    // Surrogate halves without their partners, which fuzzing found passing through.
    EXPECT_EQ(DecodePlainText(QByteArrayView("\xFE\xFF\xDF\x06\xD8\x3D\x00\x61", 8)),
              u"\uFFFD\uFFFDa"_s);
    EXPECT_EQ(DecodePlainText(QByteArrayView("\xFF\xFE\x3D\xD8\x00\xDE", 6)), u"😀"_s);
}

TEST(PlainText, EveryLineBreakBecomesOneParagraphBreak) {
    EXPECT_EQ(DecodePlainText("a\r\nb\nc\rd\r\n\r\ne\n\r"), u"a\nb\nc\nd\n\ne\n\n"_s);
    EXPECT_EQ(DecodePlainText("\xBA\xBA\r\n\xD3\xEF"), u"汉\n语"_s);
}

}  // namespace
}  // namespace sorvani::documents
