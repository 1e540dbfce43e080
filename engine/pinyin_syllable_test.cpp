#include "pinyin_syllable.h"

#include <gtest/gtest.h>

namespace sorvani {
namespace {

TEST(WithoutToneMarks, TakesOffTonesAndKeepsTheVowel) {
    EXPECT_EQ(WithoutToneMarks(u"zhōng"), u"zhong");
    EXPECT_EQ(WithoutToneMarks(u"lǜ"), u"lü");
    EXPECT_EQ(WithoutToneMarks(u"nǚ"), u"nü");
    EXPECT_EQ(WithoutToneMarks(u"lüè"), u"lüe");
    EXPECT_EQ(WithoutToneMarks(u"ǎi"), u"ai");
    EXPECT_EQ(WithoutToneMarks(u"ń"), u"n");
    EXPECT_EQ(WithoutToneMarks(u"ňg"), u"ng");
    EXPECT_EQ(WithoutToneMarks(u"ê̄"), u"ê");
    EXPECT_EQ(WithoutToneMarks(u"ế"), u"ê");
    EXPECT_EQ(WithoutToneMarks(u"de"), u"de");
}

TEST(ToneOf, ReadsTheMarkWhereverItStands) {
    EXPECT_EQ(ToneOf(u"yī"), 1);
    EXPECT_EQ(ToneOf(u"huái"), 2);
    EXPECT_EQ(ToneOf(u"nǚ"), 3);
    EXPECT_EQ(ToneOf(u"lüè"), 4);
    EXPECT_EQ(ToneOf(u"Shì"), 4);
    EXPECT_EQ(ToneOf(u"ň"), 3);
    EXPECT_EQ(ToneOf(u"e\u0302\u0300"), 4);  // ê with a combining grave
    EXPECT_EQ(ToneOf(u"de"), 0);
    EXPECT_EQ(ToneOf(u"，"), 0);
}

}  // namespace
}  // namespace sorvani
