// The dictionary file as it ships beside the program, read with the program's own loader.
#include <gtest/gtest.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <set>

#include "cp936.h"
#include "dictionary_file.h"
#include "pinyin_lookup.h"

namespace sorvani {
namespace {

class ShippedDictionary : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        table_ = new PinyinDictionary;
        LoadPinyinDictionary(*table_, DictionaryFilePath(SORVANI_PROGRAM_DIR));
    }
    static void TearDownTestSuite() {
        delete table_;
        table_ = nullptr;
    }

    static const PinyinDictionary& Table() { return *table_; }
    static std::u16string Cell(char16_t character, int column) {
        const int row = table_->FindRow(character);
        return std::u16string(row ? table_->Cell(row, column) : u"(no row)");
    }
    static std::u16string Lookup(char16_t character, int16_t toneFlag) {
        return LookupPinyin(*table_, cp936::CodeOf(character), toneFlag);
    }

  private:
    static PinyinDictionary* table_;
};
PinyinDictionary* ShippedDictionary::table_ = nullptr;

bool IsDoubleByte(char16_t ch) { return cp936::CodeOf(ch) < 0; }

// The syllable with its tone marks taken off, through the canonical decomposition.
std::u16string WithoutTones(std::u16string_view syllable) {
    UErrorCode status = U_ZERO_ERROR;
    const auto* nfd = icu::Normalizer2::getNFDInstance(status);
    const auto* nfc = icu::Normalizer2::getNFCInstance(status);
    icu::UnicodeString text = nfd->normalize(
        icu::UnicodeString(syllable.data(), static_cast<int32_t>(syllable.size())), status);
    icu::UnicodeString bare;
    for (int32_t i = 0; i < text.length(); ++i) {
        const char16_t ch = text.charAt(i);
        if (ch != 0x0300 && ch != 0x0301 && ch != 0x0304 && ch != 0x030C) bare.append(ch);
    }
    bare = nfc->normalize(bare, status);
    EXPECT_TRUE(U_SUCCESS(status));
    return std::u16string(bare.getBuffer(), bare.length());
}

TEST_F(ShippedDictionary, HoldsEveryIdeographOnce) {
    EXPECT_GE(Table().size(), 20000);
    EXPECT_LE(Table().size(), PinyinDictionary::kRows);
    std::set<char16_t> keys;
    for (int row = 1; row <= Table().size(); ++row) {
        const auto& key = Table().Cell(row, 1);
        ASSERT_EQ(key.size(), 1u) << "row " << row;
        EXPECT_TRUE(keys.insert(key[0]).second) << "row " << row << " repeats its character";
    }
    // Every ideograph of code page 936 has a row of its own, except those for which the Unicode
    // Han database has no Mandarin reading (units such as 兙 "decagram", and compatibility
    // ideographs of Japanese origin).
    const std::u16string withoutReading = u"兙兡嗧桛烪瓧瓰瓱瓼甅﨎﨏﨓﨔﨟﨡﨣﨤﨧﨨﨩";
    int ideographs = 0;
    for (char32_t c = 0x4E00; c <= 0xFAFF; ++c) {
        if ((c > 0x9FFF && c < 0xF900) || !IsDoubleByte(static_cast<char16_t>(c))) continue;
        ++ideographs;
        const auto ch = static_cast<char16_t>(c);
        const bool expected = withoutReading.find(ch) == std::u16string::npos;
        EXPECT_EQ(keys.count(ch) == 1, expected) << "U+" << std::hex << static_cast<unsigned>(c);
    }
    EXPECT_EQ(ideographs, 20902 + 21);
}

TEST_F(ShippedDictionary, EveryRowHasACounterpartAndBothSyllables) {
    const std::u16string letters = u"abcdefghijklmnopqrstuvwxyzāáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜüêńň";
    for (int row = 1; row <= Table().size(); ++row) {
        const auto& counterpart = Table().Cell(row, 2);
        const auto& withTones = Table().Cell(row, 3);
        const auto& withoutTones = Table().Cell(row, 4);
        ASSERT_EQ(counterpart.size(), 1u) << "row " << row;
        EXPECT_TRUE(IsDoubleByte(counterpart[0])) << "row " << row;
        ASSERT_FALSE(withTones.empty()) << "row " << row;
        ASSERT_FALSE(withoutTones.empty()) << "row " << row;
        EXPECT_EQ(withTones.find_first_not_of(letters), std::u16string::npos) << "row " << row;
        EXPECT_EQ(withoutTones, WithoutTones(withTones)) << "row " << row;
    }
}

TEST_F(ShippedDictionary, ACounterpartNeverChangesTheReadingOfItsCharacter) {
    // The lookup takes the first row with the character in column 1 or 2; that row must read
    // as the character's own row does.
    for (int row = 1; row <= Table().size(); ++row) {
        const char16_t character = Table().Cell(row, 1)[0];
        EXPECT_EQ(Table().Cell(Table().FindRow(character), 3), Table().Cell(row, 3))
            << "row " << row;
    }
}

TEST_F(ShippedDictionary, CommonCharactersReadAsInModernMandarin) {
    EXPECT_EQ(Cell(u'的', 3), u"de");
    EXPECT_EQ(Cell(u'了', 3), u"le");
    EXPECT_EQ(Cell(u'中', 3), u"zhōng");
    EXPECT_EQ(Cell(u'国', 3), u"guó");
    EXPECT_EQ(Cell(u'國', 3), u"guó");
    EXPECT_EQ(Cell(u'绿', 3), u"lǜ");
    EXPECT_EQ(Cell(u'绿', 4), u"lü");
    EXPECT_EQ(Cell(u'女', 3), u"nǚ");
    EXPECT_EQ(Cell(u'女', 4), u"nü");
    EXPECT_EQ(Cell(u'啊', 3), u"a");
    EXPECT_EQ(Cell(u'框', 3), u"kuàng");  // the mainland standard reading
    EXPECT_EQ(Cell(u'髮', 3), u"fà");     // not taken over by 发 (fā)
    EXPECT_EQ(Cell(u'乾', 3), u"qián");   // nor by 干 (gàn)
    EXPECT_EQ(Cell(u'干', 3), u"gàn");
    // Chosen by hand over Unihan's customary reading, which follows spoken counts.
    EXPECT_EQ(Cell(u'地', 3), u"dì");
    EXPECT_EQ(Cell(u'似', 3), u"sì");
    EXPECT_EQ(Cell(u'长', 3), u"cháng");
    EXPECT_EQ(Cell(u'長', 3), u"cháng");
    EXPECT_EQ(Cell(u'尽', 3), u"jìn");
    EXPECT_EQ(Cell(u'儘', 3), u"jǐn");  // the traditional form of 尽 in 尽管 keeps its reading
    EXPECT_EQ(Cell(u'佛', 3), u"fó");

    const int guo = Table().FindRow(u'国');
    EXPECT_EQ(Table().Cell(guo, 2), u"國");
}

TEST_F(ShippedDictionary, TheLookupShowsCapitalisedSyllables) {
    EXPECT_EQ(Lookup(u'的', kWithTones), u"De");
    EXPECT_EQ(Lookup(u'中', kWithTones), u"Zhōng");
    EXPECT_EQ(Lookup(u'中', kWithoutTones), u"Zhong");
    EXPECT_EQ(Lookup(u'國', kWithTones), u"Guó");
    EXPECT_EQ(Lookup(u'绿', kWithTones), u"Lǜ");
    EXPECT_EQ(Lookup(u'绿', kWithoutTones), u"Lü");
    EXPECT_EQ(Lookup(u'啊', kWithTones), u"A");
    EXPECT_EQ(Lookup(u'，', kWithTones), u"，");  // full-width punctuation has no row
}

}  // namespace
}  // namespace sorvani
