#include "lexicon_runs.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "lexicon.h"

namespace sorvani {
namespace {

// The place that LexiconUnitMap::Find must give, one unit at a time.
size_t Slowly(std::u16string_view text, size_t from, bool wanted) {
    while (from < text.size() && IsLexiconUnit(text[from]) != wanted) ++from;
    return from;
}

TEST(LexiconRuns, FindsTheFirstUnitInOrOutOfTheLexiconAsAUnitByUnitSearchDoes) {
    // Units at the edges of each range and beside them, at every place of texts longer than the
    // sixteen units looked at at once and than a word of the map, and cut short.
    const std::u16string edges =
        u"\u33FF\u3400\u9FFF\uA000\uF8FF\uF900\uFAFF\uFB00\u3006\u3007\u3008a\uFFFF";
    std::mt19937 random(4);
    for (size_t round = 0; round < 2000; ++round) {
        std::u16string text(random() % 150, u' ');
        for (char16_t& unit : text) unit = edges[random() % edges.size()];
        const LexiconUnitMap map(text);
        for (size_t from = 0; from <= text.size(); ++from)
            for (const bool wanted : {true, false})
                ASSERT_EQ(map.Find(from, wanted), Slowly(text, from, wanted))
                    << round << " " << from << " " << wanted;
    }
    EXPECT_EQ(LexiconUnitMap(u"abcdefghij中").Find(0, true), 10u);
    EXPECT_EQ(LexiconUnitMap(u"中文中文中文中文中文.").Find(2, false), 10u);
    EXPECT_EQ(LexiconUnitMap(u"").Find(0, true), 0u);
}

}  // namespace
}  // namespace sorvani
