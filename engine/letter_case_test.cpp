#include "letter_case.h"

#include <gtest/gtest.h>
#include <unicode/uchar.h>

#include "cp936.h"

namespace sorvani {
namespace {

// Every letter the dictionary could hold is mapped as Unicode's simple case mapping says.
TEST(LetterCase, MatchesUnicodeForEveryCharacterOfTheCodePage) {
    for (int u = 0; u <= 0xFFFF; ++u) {
        const auto ch = static_cast<char16_t>(u);
        if (cp936::CodeOf(ch) == cp936::kUnencodable && ch != u'?') continue;
        EXPECT_EQ(ToUpper(ch), static_cast<char16_t>(u_toupper(u))) << std::hex << u;
        EXPECT_EQ(ToLower(ch), static_cast<char16_t>(u_tolower(u))) << std::hex << u;
    }
}

TEST(LetterCase, PinyinVowels) {
    const std::u16string small = u"āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜüêǹ";
    const std::u16string capital = u"ĀÁǍÀĒÉĚÈĪÍǏÌŌÓǑÒŪÚǓÙǕǗǙǛÜÊǸ";
    for (size_t i = 0; i < small.size(); ++i) {
        EXPECT_EQ(ToUpper(small[i]), capital[i]);
        EXPECT_EQ(ToLower(capital[i]), small[i]);
    }
}

}  // namespace
}  // namespace sorvani
