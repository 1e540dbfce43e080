#include "character_width.h"

#include <gtest/gtest.h>

namespace sorvani {
namespace {

TEST(CharacterColumns, CodePageCharactersTakeTheirBytes) {
    EXPECT_EQ(CharacterColumns(U'a'), 1);
    EXPECT_EQ(CharacterColumns(U'?'), 1);
    EXPECT_EQ(CharacterColumns(U'\u20AC'), 1);  // the euro sign is the single byte 0x80
    EXPECT_EQ(CharacterColumns(U'汉'), 2);
    EXPECT_EQ(CharacterColumns(U'，'), 2);
    // Narrow to Unicode, yet two bytes in the code page: the code page decides.
    EXPECT_EQ(CharacterColumns(U'ü'), 2);
}

TEST(CharacterColumns, OthersTakeTheColumnsTheyAreDrawnIn) {
    for (const char32_t wide : {U'😀', U'𠮷', U'𠀋', U'한', U'\u4DBF'})
        EXPECT_EQ(CharacterColumns(wide), 2) << static_cast<unsigned>(wide);
    for (const char32_t mark :
         {U'\u0300', U'\u0301', U'\u20DD', U'\uFE0F', U'\U000E0100', U'\u0E31'})
        EXPECT_EQ(CharacterColumns(mark), 0) << static_cast<unsigned>(mark);
    for (const char32_t narrow : {U'\u0E01', U'\u01E1', U'\uFFFD', U'\U0001D400'})
        EXPECT_EQ(CharacterColumns(narrow), 1) << static_cast<unsigned>(narrow);
    EXPECT_TRUE(IsJoiningMark(U'\uFE0F'));
    EXPECT_FALSE(IsJoiningMark(U'汉'));
}

TEST(FontColumns, AreTheWidthsAMonospacedChineseFontDrawsIn) {
    EXPECT_EQ(FontColumns(U'ü'), 1);
    EXPECT_EQ(FontColumns(U'ǎ'), 1);
    EXPECT_EQ(FontColumns(U'汉'), 2);
    EXPECT_EQ(FontColumns(U'，'), 2);
    EXPECT_EQ(FontColumns(U'😀'), 2);
    EXPECT_EQ(FontColumns(U'\u0301'), 0);
}

}  // namespace
}  // namespace sorvani
