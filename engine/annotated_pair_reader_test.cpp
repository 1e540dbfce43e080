#include "annotated_pair_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace sorvani {
namespace {

std::u16string Read(std::u16string_view pinyin, std::u16string_view characters) {
    std::vector<AnnotatedCell> cells;
    if (!ReadAnnotatedPair(pinyin, characters, cells)) return u"(no pair)";
    std::u16string shown;
    for (const AnnotatedCell& cell : cells) {
        shown.append(cell.textSpacesBefore, u'_').append(cell.character);
        if (cell.annotated) shown.append(u"(").append(cell.entry).append(u")");
    }
    return shown;
}

TEST(AnnotatedPairReader, PairsEachCharacterWithTheEntryInItsColumn) {
    // One-letter syllables leave no space after their character; a space of the text stands as
    // two on each line; characters that stand for themselves and "?" are no syllables.
    EXPECT_EQ(Read(u"Ā Zhōng ， Ā   a ? ", u"啊中    ， 啊  a 한"), u"啊(Ā)中(Zhōng)，啊(Ā)_a한");
    EXPECT_EQ(Read(u"Guó É ", u"国\uFE0F  鹅\u0301"), u"国\uFE0F(Guó)鹅\u0301(É)");
    EXPECT_EQ(Read(u"", u""), u"");
}

TEST(AnnotatedPairReader, LinesOutOfColumnsAreNoPair) {
    // A one-letter syllable followed by a space on the character line, as an older layout wrote.
    EXPECT_EQ(Read(u"A Zhong ", u"啊 中    "), u"(no pair)");
    EXPECT_EQ(Read(u"one two", u"three"), u"(no pair)");
    EXPECT_EQ(Read(u"Zhong Guo ", u"中    "), u"(no pair)");
    EXPECT_EQ(Read(u"Zhong ", u"中    国"), u"(no pair)");
}

}  // namespace
}  // namespace sorvani
