#include "unihan_data.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sorvani {
namespace {

TEST(UnihanData, ReadsFieldsAndSkipsCommentsAndMalformedLines) {
    std::istringstream in(
        "#\n# Unihan_Readings.txt\n\n"
        "U+4E2D\tkMandarin\tzhōng\r\n"
        "U+4E2D\tkHanyuPinlu\tzhōng(4875) zhòng(66)\n"
        "U+20000\tkMandarin\thē\n"
        "U+4E2D\tbroken line\n"
        "X+4E2E\tkMandarin\tzhu\n");
    UnihanData data;
    data.ReadUnihan(in);
    EXPECT_EQ(data.Field(0x4E2D, "kMandarin"), "zhōng");
    EXPECT_EQ(data.Field(0x4E2D, "kHanyuPinlu"), "zhōng(4875) zhòng(66)");
    EXPECT_EQ(data.Field(0x20000, "kMandarin"), "hē");
    EXPECT_EQ(data.Field(0x4E2D, "kTGHZ2013"), "");
    EXPECT_EQ(data.Field(0x4E2E, "kMandarin"), "");
}

TEST(UnihanData, KeepsOnlyCanonicalSingletonsOfUnicodeData) {
    std::istringstream in(
        "00C0;LATIN CAPITAL LETTER A WITH GRAVE;Lu;0;L;0041 0300;;;;N;;;;00E0;\n"
        "00A0;NO-BREAK SPACE;Zs;0;CS;<noBreak> 0020;;;;N;;;;;\n"
        "F92C;CJK COMPATIBILITY IDEOGRAPH-F92C;Lo;0;L;90CE;;;;N;;;;;\n"
        "4E00;<CJK Ideograph, First>;Lo;0;L;;;;;N;;;;;\n");
    UnihanData data;
    data.ReadUnicodeData(in);
    EXPECT_EQ(data.CanonicalSingleton(0xF92C), 0x90CEu);
    EXPECT_EQ(data.CanonicalSingleton(0x00C0), 0u);
    EXPECT_EQ(data.CanonicalSingleton(0x00A0), 0u);
    EXPECT_EQ(data.CanonicalSingleton(0x4E00), 0u);
}

TEST(UnihanData, SplitKeepsEmptyParts) {
    using Parts = std::vector<std::string_view>;
    EXPECT_EQ(Split("a,,b", ','), (Parts{"a", "", "b"}));
    EXPECT_EQ(Split("a\tb\t", '\t'), (Parts{"a", "b", ""}));
    EXPECT_EQ(Split("", ' '), (Parts{""}));
}

TEST(UnihanData, ParsesCodePointsWithSources) {
    EXPECT_EQ(ParseCodePoint("U+5D0E"), 0x5D0Eu);
    EXPECT_EQ(ParseCodePoint("U+5D0E<kMorohashi:Z"), 0x5D0Eu);
    EXPECT_EQ(ParseCodePoint("U+2550E"), 0x2550Eu);
    EXPECT_EQ(ParseCodePoint("5D0E"), 0u);
    EXPECT_EQ(ParseCodePoint("U+"), 0u);
    EXPECT_EQ(ParseCodePoint("U+XYZ"), 0u);
    EXPECT_EQ(ParseCodePoint("U+110000"), 0u);
    EXPECT_EQ(ParseCodePoints("U+37E2 U+57FC U+5D0E<kMorohashi:Z bad U+2550E"),
              (std::vector<char32_t>{0x37E2, 0x57FC, 0x5D0E, 0x2550E}));
    EXPECT_TRUE(ParseCodePoints("").empty());
}

}  // namespace
}  // namespace sorvani
