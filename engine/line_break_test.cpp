#include "line_break.h"

#include <gtest/gtest.h>

#include <string>

namespace sorvani::text {
namespace {

// The lines of the pieces, one after another: each break as '|', its rest left out.
std::u16string Lines(std::initializer_list<std::u16string_view> pieces) {
    LineBreakReader reader;
    std::u16string lines;
    for (const std::u16string_view piece : pieces)
        for (const char16_t unit : piece) switch (reader.Read(unit)) {
                case LineBreakReader::Unit::Text:
                    lines += unit;
                    break;
                case LineBreakReader::Unit::Break:
                    lines += u'|';
                    break;
                case LineBreakReader::Unit::RestOfBreak:
                    break;
            }
    return lines;
}

TEST(LineBreakReader, ReadsCrLfAsOneBreakWhereverThePiecesEnd) {
    EXPECT_EQ(Lines({u"a\r\nb"}), u"a|b");
    EXPECT_EQ(Lines({u"a\r", u"\nb"}), u"a|b");
    EXPECT_EQ(Lines({u"a\r", u"", u"\nb"}), u"a|b");
}

TEST(LineBreakReader, ReadsEveryOtherBreakAsABreakOfItsOwn) {
    EXPECT_EQ(Lines({u"a\n\rb"}), u"a||b");
    EXPECT_EQ(Lines({u"a\r\rb\n\n"}), u"a||b||");
    EXPECT_EQ(Lines({u"a\r\u2028\nb\u2029"}), u"a|||b|");
    // Only the unit right after the CR completes its break.
    EXPECT_EQ(Lines({u"\rx\n"}), u"|x|");
}

}  // namespace
}  // namespace sorvani::text
