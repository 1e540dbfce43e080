#include "user_words.h"

#include <gtest/gtest.h>

namespace sorvani {
namespace {

TEST(UserWords, ToneNumbersBecomeTheMarksOfTheRightVowel) {
    EXPECT_EQ(ToneMarked(u"shan4"), u"shàn");
    EXPECT_EQ(ToneMarked(u"Zeng1"), u"zēng");
    EXPECT_EQ(ToneMarked(u"qiu2"), u"qiú");  // the last vowel
    EXPECT_EQ(ToneMarked(u"xie4"), u"xiè");  // e before i
    EXPECT_EQ(ToneMarked(u"gou3"), u"gǒu");  // o of ou
    EXPECT_EQ(ToneMarked(u"lv4"), u"lǜ");    // v for ü
    EXPECT_EQ(ToneMarked(u"lü3"), u"lǚ");
    EXPECT_EQ(ToneMarked(u"de5"), u"de");  // neutral
    EXPECT_EQ(ToneMarked(u"de"), u"de");
    EXPECT_EQ(ToneMarked(u"shàn"), u"shàn");  // marked already
    EXPECT_EQ(ToneMarked(u"shàn4"), u"");     // marked twice
    EXPECT_EQ(ToneMarked(u"sh4n1"), u"");
    EXPECT_EQ(ToneMarked(u"ng6"), u"");
    EXPECT_EQ(ToneMarked(u""), u"");
}

TEST(UserWords, ABadLineIsReportedWithItsNumberAndLeftOut) {
    const UserWords list = ParseUserWords(
        "\xEF\xBB\xBF# names of our school\n"
        "单老师\tshan4 lao3 shi1\r\n"
        "\n"
        "曾国藩\tZēng Guó Fān\n"
        "仇\tqiu2\n"                   // one character
        "解放\tjie3\n"                 // too few syllables
        "解老师 xie4 lao3 shi1\n"      // no tab
        "解老师\txie4 lao3 sh!\n"      // no pinyin
        "\xFF\xFE\tabc\n"              // no UTF-8
        "解老师\txie4  lao3 shi1  \n"  // spaces around are no syllables
        "单老师\tdan1 lao3 shi1\n");   // a later line wins
    ASSERT_EQ(list.words.size(), 3u);
    EXPECT_EQ(list.words[0].text, u"单老师");
    EXPECT_EQ(list.words[0].syllables, (std::vector<std::u16string>{u"dān", u"lǎo", u"shī"}));
    EXPECT_EQ(list.words[1].text, u"曾国藩");
    EXPECT_EQ(list.words[1].syllables[0], u"zēng");
    EXPECT_EQ(list.words[2].text, u"解老师");
    EXPECT_EQ(list.words[2].syllables[0], u"xiè");
    std::vector<std::string> problems;
    for (const auto& problem : list.problems) problems.push_back(problem.Text());
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "line 5: the word must be two or more Chinese characters",
                            "line 6: 2 characters but 1 syllables",
                            "line 7: not a word, a tab and its syllables",
                            "line 8: a syllable that is no pinyin", "line 9: not UTF-8"}));
}

}  // namespace
}  // namespace sorvani
