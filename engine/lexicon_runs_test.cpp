#include "lexicon_runs.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "lexicon.h"

namespace sorvani {
namespace {

// The place that FindLexiconUnit must give, one unit at a time.
size_t Slowly(std::u16string_view text, size_t from, bool wanted) {
    while (from < text.size() && IsLexiconUnit(text[from]) != wanted) ++from;
    return from;
}

TEST(LexiconRuns, FindsTheFirstUnitInOrOutOfTheLexiconAsAUnitByUnitSearchDoes) {
    // Units at the edges of each range and beside them, at every place of texts longer than the
    // eight units looked at at once, and cut short.
    const std::u16string edges =
        u"\u33FF\u3400\u9FFF\uA000\uF8FF\uF900\uFAFF\uFB00\u3006\u3007\u3008a\uFFFF";
    std::mt19937 random(4);
    for (size_t round = 0; round < 2000; ++round) {
        std::u16string text(random() % 40, u' ');
        for (char16_t& unit : text) unit = edges[random() % edges.size()];
        const size_t from = text.empty() ? 0 : random() % (text.size() + 1);
        for (const bool wanted : {true, false})
            ASSERT_EQ(FindLexiconUnit(text, from, wanted), Slowly(text, from, wanted))
                << round << " " << wanted;
    }
    EXPECT_EQ(FindLexiconUnit(u"abcdefghij中", 0, true), 10u);
    EXPECT_EQ(FindLexiconUnit(u"中文中文中文中文中文.", 2, false), 10u);
    EXPECT_EQ(FindLexiconUnit(u"", 0, true), 0u);
}

}  // namespace
}  // namespace sorvani
