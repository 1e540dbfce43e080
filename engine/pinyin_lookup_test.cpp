#include "pinyin_lookup.h"

#include <gtest/gtest.h>

#include <random>

#include "annotation_failure.h"
#include "cp936.h"

namespace sorvani {
namespace {

int32_t Code(char16_t ch) { return cp936::CodeOf(ch); }

TEST(LookupPinyin, SingleByteCodesReturnTheirOwnCharacter) {
    PinyinDictionary dictionary;
    dictionary.Append({u"a", u"a", u"X", u"X"});  // single-byte keys are never consulted
    EXPECT_EQ(LookupPinyin(dictionary, 13, kWithTones), u"\r");
    EXPECT_EQ(LookupPinyin(dictionary, 10, kWithTones), u"\n");
    EXPECT_EQ(LookupPinyin(dictionary, 32, kWithTones), u" ");
    EXPECT_EQ(LookupPinyin(dictionary, 'a', kWithTones), u"a");
    EXPECT_EQ(LookupPinyin(dictionary, 0x80, kWithTones), u"\u20AC");
}

TEST(LookupPinyin, FirstRowInEitherKeyColumnWins) {
    PinyinDictionary dictionary;
    dictionary.Append({u"一", u"一", u"yī", u"yi"});
    dictionary.Append({u"二", u"二", u"èr", u"er"});
    dictionary.Append({u"中", u"重", u"zhōng", u"zhong"});
    for (int i = 4; i < 7; ++i) dictionary.Append({u"x", u"y", u"x", u"x"});
    dictionary.Append({u"重", u"中", u"zhòng", u"zhong"});
    dictionary.Append({u"國", u"国", u"guó", u"guo"});
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'中'), kWithTones), u"Zhōng");
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'重'), kWithTones), u"Zhōng");  // column 2 of row 3
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'国'), kWithTones), u"Guó");
}

TEST(LookupPinyin, ToneFlagMinusOneSelectsColumnThreeAndAnythingElseColumnFour) {
    PinyinDictionary dictionary;
    dictionary.Append({u"绿", u"綠", u"lǜ", u"lü"});
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'绿'), -1), u"Lǜ");
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'绿'), 0), u"Lü");
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'绿'), 1), u"Lü");
}

TEST(LookupPinyin, CapitalisesOnlyTheFirstLetterTonedVowelsIncluded) {
    PinyinDictionary dictionary;
    dictionary.Append({u"啊", u"啊", u"ǎ", u"A"});
    dictionary.Append({u"鹅", u"鹅", u"ÉR", u"er"});
    dictionary.Append({u"女", u"女", u"ǚ", u"nü"});
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'啊'), kWithTones), u"Ǎ");
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'啊'), kWithoutTones), u"A");
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'鹅'), kWithTones), u"Ér");
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'女'), kWithTones), u"Ǚ");
}

TEST(LookupPinyin, CharactersNotHeldComeBackUnchanged) {
    PinyinDictionary dictionary;
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'中'), kWithTones), u"中");
    dictionary.Append({u"中国", u"", u"zhōng", u"zhong"});  // only exact one-character keys match
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'中'), kWithTones), u"中");
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'，'), kWithTones), u"，");
    EXPECT_EQ(LookupPinyin(dictionary, cp936::kUnencodable, kWithTones), u"?");
    EXPECT_EQ(LookupPinyin(dictionary, static_cast<int16_t>(0x8140 - 1), kWithTones), u"?");
}

TEST(LookupPinyin, EmptySyllableCellIsAFailure) {
    PinyinDictionary dictionary;
    dictionary.Append({u"中", u"中", u"", u"zhong"});
    EXPECT_THROW(LookupPinyin(dictionary, Code(u'中'), kWithTones), AnnotationFailure);
    EXPECT_EQ(LookupPinyin(dictionary, Code(u'中'), kWithoutTones), u"Zhong");
}

// The index must give what the plain first-row scan over both key columns gives.
int ScanFirstRow(const PinyinDictionary& dictionary, char16_t ch) {
    for (int row = 1; row <= PinyinDictionary::kRows; ++row) {
        const std::u16string key(1, ch);
        if (dictionary.Cell(row, 2) == key || dictionary.Cell(row, 1) == key) return row;
    }
    return 0;
}

TEST(LookupPinyin, IndexAgreesWithTheRowScanOnRandomTables) {
    std::mt19937 random(20261207);
    const std::u16string alphabet = u"的一是了我不人在他有这个上们来到时大地为子中你说生国";
    for (int round = 0; round < 40; ++round) {
        PinyinDictionary dictionary;
        const int rows = std::uniform_int_distribution<int>(0, 60)(random);
        std::uniform_int_distribution<size_t> pick(0, alphabet.size());  // size() means "no key"
        auto key = [&] {
            const size_t i = pick(random);
            return i == alphabet.size() ? std::u16string() : std::u16string(1, alphabet[i]);
        };
        for (int r = 0; r < rows; ++r) {
            const std::u16string syllable = u"s" + std::u16string(1, u'a' + r % 26);
            dictionary.Append({key(), key(), syllable, syllable});
        }
        for (char16_t ch : alphabet) {
            ASSERT_EQ(dictionary.FindRow(ch), ScanFirstRow(dictionary, ch)) << "round " << round;
        }
    }
}

}  // namespace
}  // namespace sorvani
