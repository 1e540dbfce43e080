#include "column_ruler.h"

#include <gtest/gtest.h>

namespace sorvani {
namespace {

TEST(ColumnRuler, CountsCodePageBytesSpacesIncluded) {
    ColumnRuler ruler;
    EXPECT_EQ(ruler.Width(u""), 0);
    EXPECT_EQ(ruler.Width(u"a"), 150);
    EXPECT_EQ(ruler.Width(u"中"), 300);
    EXPECT_EQ(ruler.Width(u"中   "), 750);  // trailing spaces too
    EXPECT_EQ(ruler.Width(u"，ā€"), 750);   // full-width comma, pinyin vowel, euro sign (0x80)
}

TEST(ColumnRuler, CharactersWithoutCodeTakeTheColumnsTheyAreDrawnIn) {
    ColumnRuler ruler;
    EXPECT_EQ(ruler.Width(u"한"), 300);
    EXPECT_EQ(ruler.Width(u"😀"), 300);  // one wide character, not two halves
    EXPECT_EQ(ruler.Width(u"e\u0301\U000E0100"), 150);
    EXPECT_EQ(ruler.Width(u"\u0E01"), 150);
    EXPECT_EQ(ruler.Width(u"\xD800"), 150);
    EXPECT_EQ(ruler.Width(u"\xDC00\xD800"), 300);
}

TEST(ColumnRuler, ALineThatGrowsOrChangesIsMeasuredWhole) {
    ColumnRuler ruler;
    EXPECT_EQ(ruler.Width(u"中 "), 450);
    EXPECT_EQ(ruler.Width(u"中 a "), 750);
    EXPECT_EQ(ruler.Width(u"中中"), 600);
    EXPECT_EQ(ruler.Width(u"aa"), 300);
    EXPECT_EQ(ruler.Width(u""), 0);
    // A pair whose halves come in two measurements is still one character.
    EXPECT_EQ(ruler.Width(u"\xD83D"), 150);
    EXPECT_EQ(ruler.Width(u"\xD83D\xDE00"), 300);
    EXPECT_EQ(ruler.Width(u"\xD83D\xDE00\xDE00"), 450);
}

}  // namespace
}  // namespace sorvani
