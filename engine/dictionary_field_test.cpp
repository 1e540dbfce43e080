#include "dictionary_field.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace sorvani {
namespace {

// 'w' is 119, 'x' 120, 'y' 121: the first key characters.
constexpr std::string_view kKey = DictionaryKey;

TEST(DecodeDictionaryField, UnscramblesEachTokenWithTheKeyAtItsPosition) {
    EXPECT_EQ(DecodeDictionaryField("", kKey), u"");
    EXPECT_EQ(DecodeDictionaryField(std::to_string('z' ^ 119), kKey), u"z");
    EXPECT_EQ(
        DecodeDictionaryField(std::to_string('h' ^ 119) + " " + std::to_string('i' ^ 120), kKey),
        u"hi");
}

TEST(DecodeDictionaryField, DoubleSpaceLeavesAnEmptyTokenThatUsesAKeyPosition) {
    const std::string field = std::to_string('a' ^ 'w') + "  " + std::to_string('b' ^ 'y');
    EXPECT_EQ(DecodeDictionaryField(field, kKey), u"ab");
}

TEST(DecodeDictionaryField, SeventeenthTokenWrapsToTheFirstKeyCharacter) {
    std::string field;
    for (int j = 0; j < 17; ++j) field += (j ? " " : "") + std::to_string('a' ^ kKey[j % 16]);
    EXPECT_EQ(DecodeDictionaryField(field, kKey), std::u16string(17, u'a'));
}

TEST(DecodeDictionaryField, FractionsAreTakenAtTheirFloor) {
    // 'A' ^ 'w' is 54, so 54.9 floors to 'A'.
    EXPECT_EQ(DecodeDictionaryField("54.9", kKey), u"A");
    // A negative token floors downwards: "-10584.1" is -10585, the stored form of 中.
    const int32_t stored = static_cast<int16_t>(0xD6D0) ^ 'w';
    ASSERT_EQ(stored, -10585);
    EXPECT_EQ(DecodeDictionaryField(std::to_string(stored + 1) + ".1", kKey), u"中");
}

TEST(DecodeDictionaryField, SkipsTokensThatAreNotUsableNumbers) {
    const std::string b = std::to_string('b' ^ 'x');
    EXPECT_EQ(DecodeDictionaryField("x " + b, kKey), u"b");            // not a number
    EXPECT_EQ(DecodeDictionaryField("- " + b, kKey), u"b");            // sign alone
    EXPECT_EQ(DecodeDictionaryField("99999999999 " + b, kKey), u"b");  // past 32 bits
    EXPECT_EQ(DecodeDictionaryField("70000 " + b, kKey), u"b");        // past 65535
    EXPECT_EQ(DecodeDictionaryField("-40000 " + b, kKey), u"b");       // below -32768
    EXPECT_EQ(DecodeDictionaryField(std::string(1'000'000, '7') + " " + b, kKey), u"b");
    EXPECT_EQ(DecodeDictionaryField(" " + b, kKey), u"b");  // the empty token uses up 'w'
    EXPECT_EQ(DecodeDictionaryField(b, kKey), std::u16string(1, 'b' ^ 'x' ^ 'w'));
}

TEST(DecodeDictionaryField, LongAndOddTokensReadAsShortOnes) {
    // Short integers take a quicker reading than other tokens; both must agree.
    const std::string a = std::to_string('A' ^ 'w');  // 54
    for (const std::string& token :
         {"000000000" + a, "00000000" + a, "0000000" + a, a + ".0", a + ".99", "0" + a})
        EXPECT_EQ(DecodeDictionaryField(token, kKey), u"A") << token;
    EXPECT_EQ(DecodeDictionaryField("-0", kKey), std::u16string(1, u'w'));
    EXPECT_EQ(DecodeDictionaryField("-00000000", kKey), std::u16string(1, u'w'));
    EXPECT_EQ(DecodeDictionaryField("-10585", kKey), u"中");
    EXPECT_EQ(DecodeDictionaryField("-000010585", kKey), u"中");
    EXPECT_EQ(DecodeDictionaryField(a + " ", kKey), u"A");  // a last, empty token
    EXPECT_EQ(DecodeDictionaryField(a + "-", kKey), u"");
    EXPECT_EQ(DecodeDictionaryField("--" + a, kKey), u"");
    EXPECT_EQ(DecodeDictionaryField("123456789012", kKey), u"");  // past 32 bits
}

TEST(EncodeDictionaryField, IsTheInverseOfDecoding) {
    const std::u16string plain = u"中zhōng lǜ 國 ü the seventeenth token wraps";
    const std::string stored = EncodeDictionaryField(plain, kKey);
    EXPECT_EQ(stored.find_first_not_of("-0123456789 "), std::string::npos);
    EXPECT_EQ(DecodeDictionaryField(stored, kKey), plain);
    EXPECT_EQ(EncodeDictionaryField(u"", kKey), "");
}

TEST(EncodeDictionaryField, RefusesCharactersOutsideTheCodePage) {
    EXPECT_THROW(EncodeDictionaryField(u"\u0E01", kKey), std::invalid_argument);
    EXPECT_NO_THROW(EncodeDictionaryField(u"?", kKey));
}

}  // namespace
}  // namespace sorvani
