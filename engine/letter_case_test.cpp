#include "letter_case.h"

#include <gtest/gtest.h>

#include "cp936.h"
#include "icu_reference.h"

#ifdef SORVANI_HAVE_ICU
#include <unicode/uchar.h>
#endif

namespace sorvani {
namespace {

#ifdef SORVANI_HAVE_ICU
char16_t UnicodeUpper(int u) { return static_cast<char16_t>(u_toupper(u)); }
char16_t UnicodeLower(int u) { return static_cast<char16_t>(u_tolower(u)); }

// The table that stands in for ICU where it is missing holds what ICU says.
TEST(LetterCase, ReferenceTableIsWhatIcuGives) {
    const icu_reference::Table table;
    for (int u = 0; u <= 0xFFFF; ++u) {
        const auto ch = static_cast<char16_t>(u);
        if (cp936::CodeOf(ch) == cp936::kUnencodable && ch != u'?') continue;
        ASSERT_EQ(table.Upper(ch), UnicodeUpper(u)) << std::hex << u;
        ASSERT_EQ(table.Lower(ch), UnicodeLower(u)) << std::hex << u;
    }
}
#else
const icu_reference::Table& Reference() {
    static const icu_reference::Table table;
    return table;
}
char16_t UnicodeUpper(int u) { return Reference().Upper(static_cast<char16_t>(u)); }
char16_t UnicodeLower(int u) { return Reference().Lower(static_cast<char16_t>(u)); }
#endif

// Every letter the dictionary could hold is mapped as Unicode's simple case mapping says.
TEST(LetterCase, MatchesUnicodeForEveryCharacterOfTheCodePage) {
    for (int u = 0; u <= 0xFFFF; ++u) {
        const auto ch = static_cast<char16_t>(u);
        if (cp936::CodeOf(ch) == cp936::kUnencodable && ch != u'?') continue;
        EXPECT_EQ(ToUpper(ch), UnicodeUpper(u)) << std::hex << u;
        EXPECT_EQ(ToLower(ch), UnicodeLower(u)) << std::hex << u;
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
