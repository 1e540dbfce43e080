#include "word_list.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace sorvani {
namespace {

TEST(ParseWordList, ReadsWordsAndRefusesMalformedLines) {
    const auto words = ParseWordList("# comment\n\n银行\tyín háng\n长大\tzhǎng dà\n");
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].text, u"银行");
    EXPECT_EQ(words[0].syllables, (std::vector<std::u16string>{u"yín", u"háng"}));
    EXPECT_EQ(words[1].syllables[0], u"zhǎng");
    EXPECT_THROW(ParseWordList("银行\tyín\n"), std::runtime_error);      // a syllable short
    EXPECT_THROW(ParseWordList("行\tháng\n"), std::runtime_error);       // one character
    EXPECT_THROW(ParseWordList("银行 yín háng\n"), std::runtime_error);  // no tab
}

class ProblemOfTest : public testing::Test {
  protected:
    ProblemOfTest() {
        std::istringstream unihan(
            "U+94F6\tkMandarin\tyín\n"
            "U+884C\tkMandarin\txíng\n"
            "U+884C\tkTGHZ2013\t001.010:háng 002.020:xíng\n"
            "U+5B50\tkMandarin\tzǐ\n"
            "U+684C\tkMandarin\tzhuō\n");
        data_.ReadUnihan(unihan);
        dictionary_.Append({u"银", u"银", u"yín", u"yin"});
        dictionary_.Append({u"行", u"行", u"xíng", u"xing"});
        dictionary_.Append({u"子", u"子", u"zǐ", u"zi"});
        dictionary_.Append({u"桌", u"桌", u"zhuō", u"zhuo"});
    }
    std::optional<std::string> Problem(std::u16string text, std::vector<std::u16string> syllables) {
        return ProblemOf({std::move(text), std::move(syllables)}, data_, dictionary_);
    }
    UnihanData data_;
    PinyinDictionary dictionary_;
};

TEST_F(ProblemOfTest, AcceptsReadingsOfUnihanThatDifferFromTheDictionary) {
    EXPECT_EQ(Problem(u"银行", {u"yín", u"háng"}), std::nullopt);
    EXPECT_EQ(Problem(u"桌子", {u"zhuō", u"zi"}), std::nullopt);  // neutral form of zǐ
}

TEST_F(ProblemOfTest, RefusesUnknownReadingsAndWordsThatAddNothing) {
    EXPECT_NE(Problem(u"银行", {u"yín", u"hàng"}), std::nullopt);  // not a reading of 行
    EXPECT_NE(Problem(u"桌子", {u"zhuō", u"za"}), std::nullopt);
    EXPECT_NE(Problem(u"银行", {u"yín", u"xíng"}), std::nullopt);  // the dictionary reads so
}

}  // namespace
}  // namespace sorvani
