#include "column_ruler.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "character_width.h"

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

// Each unit's columns are looked up as it first comes, by whichever ruler meets it first: rulers
// on several threads at once, each meeting the units in its own order, see what the character
// tables say.
TEST(ColumnRuler, EveryUnitMeasuresAsTheTablesSayOnSeveralThreadsAtOnce) {
    constexpr int kThreads = 4;
    std::vector<int> wrong(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &wrong] {
            ColumnRuler ruler;
            for (unsigned i = 0; i < 0x10000; ++i) {
                // Strides that are odd visit every unit, each thread in another order.
                const auto unit = static_cast<char16_t>(i * (2 * t + 1) + 7919u * t);
                const int expected = CharacterColumns(unit) * 150;
                if (ruler.Width(std::u16string(1, unit)) != expected) ++wrong[t];
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(wrong, std::vector<int>(kThreads, 0));
}

}  // namespace
}  // namespace sorvani
