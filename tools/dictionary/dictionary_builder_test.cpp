#include "dictionary_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace sorvani {
namespace {

UnihanData Data(const std::string& unihan, const std::string& unicodeData = "") {
    UnihanData data;
    std::istringstream fields(unihan);
    data.ReadUnihan(fields);
    std::istringstream decompositions(unicodeData);
    data.ReadUnicodeData(decompositions);
    return data;
}

using Readings = std::vector<std::u16string>;

TEST(CandidateReadings, CustomaryThenFrequencyThenDictionariesEachOnce) {
    const auto data = Data(
        "U+4E2D\tkHanyuPinyin\t10001.010:gē,zhōng\n"
        "U+4E2D\tkMandarin\tzhōng\n"
        "U+4E2D\tkHanyuPinlu\tbā(5) zhòng(9) cā(5)\n"
        "U+4E2D\tkTGHZ2013\t001.010:dā 002.020,002.030:bā\n"
        "U+4E2D\tkXHC1983\t0001.010:fā\n");
    EXPECT_EQ(CandidateReadings(data, U'中'),
              (Readings{u"zhōng", u"zhòng", u"bā", u"cā", u"dā", u"fā", u"gē"}));
    EXPECT_TRUE(CandidateReadings(data, U'国').empty());
}

TEST(PreferredReading, CustomaryReadingWhenTheStandardListsIt) {
    const auto data = Data(
        "U+7684\tkMandarin\tde\n"
        "U+7684\tkTGHZ2013\t069.080:de 070.170:dī 071.080:dí 072.100:dì\n");
    EXPECT_EQ(PreferredReading(data, U'的'), u"de");
}

TEST(PreferredReading, SkipsReadingsThatTheStandardDoesNotList) {
    // 框: kuāng is customary elsewhere, the mainland standard has only kuàng.
    const auto data = Data(
        "U+6846\tkMandarin\tkuāng\n"
        "U+6846\tkHanyuPinlu\tkuāng(21) kuàng(14)\n"
        "U+6846\tkTGHZ2013\t202.110:kuàng\n");
    EXPECT_EQ(PreferredReading(data, U'框'), u"kuàng");
}

TEST(PreferredReading, SkipsReadingsThatCodePage936CannotEncode) {
    // ê̄ is e with circumflex and a combining macron; ḿ has no code in code page 936 either.
    const auto data = Data(
        "U+6B38\tkMandarin\tê̄\n"
        "U+6B38\tkTGHZ2013\t001.010:ê̄ 002.010:ḿ 003.010:ǎi\n");
    EXPECT_EQ(PreferredReading(data, U'欸'), u"ǎi");
}

TEST(PreferredReading, FirstEncodableCandidateWhenTheStandardListsNone) {
    const auto data = Data(
        "U+4E00\tkMandarin\tyī\n"
        "U+4E01\tkMandarin\tm̄\n"
        "U+4E01\tkXHC1983\t0001.010:dīng\n"
        "U+4E01\tkTGHZ2013\t001.010:m̄\n");            // the standard lists only m̄
    EXPECT_EQ(PreferredReading(data, U'一'), u"yī");  // not in the standard at all
    EXPECT_EQ(PreferredReading(data, U'丁'), u"dīng");
    EXPECT_FALSE(PreferredReading(data, U'七').has_value());
}

TEST(PreferredReading, TraditionalFormFollowsTheStandardReadingsOfItsSimplifiedForm) {
    const auto data = Data(
        "U+7E3E\tkMandarin\tjī\n"
        "U+7E3E\tkSimplifiedVariant\tU+7EE9\n"
        "U+7EE9\tkMandarin\tjī\n"
        "U+7EE9\tkTGHZ2013\t159.010:jì\n"
        "U+9AEE\tkMandarin\tfà\n"
        "U+9AEE\tkSimplifiedVariant\tU+53D1\n"
        "U+53D1\tkMandarin\tfā\n"
        "U+53D1\tkTGHZ2013\t090.010:fā 090.100:fà\n");
    EXPECT_EQ(StandardReadings(data, U'績'), (Readings{u"jì"}));
    EXPECT_EQ(PreferredReading(data, U'績'), u"jì");  // its own reading is not standard
    EXPECT_EQ(PreferredReading(data, U'绩'), u"jì");
    EXPECT_EQ(PreferredReading(data, U'髮'), u"fà");  // its own reading is one of 发's
    EXPECT_EQ(PreferredReading(data, U'发'), u"fā");
}

TEST(ReadingSource, CompatibilityIdeographReadsAsItsUnifiedForm) {
    const auto data = Data("U+90CE\tkMandarin\tláng\n",
                           "F92C;CJK COMPATIBILITY IDEOGRAPH-F92C;Lo;0;L;90CE;;;;N;;;;;\n");
    EXPECT_EQ(ReadingSource(data, 0xF92C), 0x90CEu);
    EXPECT_EQ(PreferredReading(data, 0xF92C), u"láng");
}

TEST(ReadingSource, VariantStandsInOnlyForACharacterWithoutReadings) {
    const auto data = Data(
        "U+FA11\tkSemanticVariant\tU+37E2 U+5D0E<kMorohashi:Z\n"
        "U+5D0E\tkMandarin\tqí\n"
        "U+5D0E\tkSemanticVariant\tU+FA11\n"
        "U+5159\tkDefinition\tdecagram\n");
    EXPECT_EQ(ReadingSource(data, 0xFA11), 0x5D0Eu);  // U+37E2 has no reading here
    EXPECT_EQ(ReadingSource(data, 0x5D0E), 0x5D0Eu);
    EXPECT_EQ(ReadingSource(data, 0x5159), 0u);
}

// The rows built from a small database, as the program's table holds them.
class BuildDictionaryTest : public testing::Test {
  protected:
    void Build(const std::string& unihan) {
        build_ = BuildDictionary(Data(unihan));
        for (const auto& record : build_.records) table_.Append(record);
    }
    // The row that holds the character in column 1.
    const DictionaryRecord& OwnRow(char16_t character) const {
        const std::u16string key(1, character);
        return *std::find_if(build_.records.begin(), build_.records.end(),
                             [&](const DictionaryRecord& record) { return record[0] == key; });
    }
    // The reading that the program's lookup finds: the first row with the character in column
    // 1 or 2.
    std::u16string Reading(char16_t character) const {
        return build_.records.at(table_.FindRow(character) - 1)[2];
    }

    DictionaryBuild build_;
    PinyinDictionary table_;
};

TEST_F(BuildDictionaryTest, OneRowPerIdeographInCodePointOrder) {
    Build(
        "U+7EFF\tkMandarin\tlǜ\n"
        "U+4E2D\tkMandarin\tzhōng\n"
        "U+20000\tkMandarin\thē\n"
        "U+3400\tkMandarin\tqiū\n");  // extension A: not in code page 936
    ASSERT_EQ(build_.records.size(), 2u);
    EXPECT_EQ(build_.records[0], (DictionaryRecord{u"中", u"中", u"zhōng", u"zhong"}));
    EXPECT_EQ(build_.records[1], (DictionaryRecord{u"绿", u"绿", u"lǜ", u"lü"}));
    EXPECT_TRUE(std::count(build_.withoutReading.begin(), build_.withoutReading.end(), U'国'));
    EXPECT_FALSE(std::count(build_.withoutReading.begin(), build_.withoutReading.end(), U'中'));
}

TEST_F(BuildDictionaryTest, CounterpartsInColumnTwo) {
    Build(
        "U+56FD\tkMandarin\tguó\n"
        "U+570B\tkMandarin\tguó\n"
        "U+56FD\tkTraditionalVariant\tU+570B\n"
        "U+570B\tkSimplifiedVariant\tU+56FD\n"
        "U+4E22\tkMandarin\tdiū\n"
        "U+4E22\tkTraditionalVariant\tU+20000 U+4E1F\n");  // U+20000 has no code; 丟 no row
    EXPECT_EQ(OwnRow(u'国')[1], u"國");
    EXPECT_EQ(OwnRow(u'國')[1], u"国");
    EXPECT_EQ(OwnRow(u'丢')[1], u"丟");
    EXPECT_EQ(Reading(u'丟'), u"diū");  // found through column 2
}

TEST_F(BuildDictionaryTest, CounterpartNeverTakesOverAnotherReading) {
    Build(
        "U+53D1\tkMandarin\tfā\n"
        "U+53D1\tkTraditionalVariant\tU+767C U+9AEE\n"
        "U+767C\tkMandarin\tfā\n"
        "U+767C\tkSimplifiedVariant\tU+53D1\n"
        "U+9AEE\tkMandarin\tfà\n"
        "U+9AEE\tkSimplifiedVariant\tU+53D1\n"
        "U+4E7E\tkMandarin\tqián gān\n"
        "U+4E7E\tkSimplifiedVariant\tU+4E7E U+5E72\n"
        "U+5E72\tkMandarin\tgàn\n"
        "U+5E72\tkTraditionalVariant\tU+4E7E U+5E72 U+5E79\n"
        "U+5E79\tkMandarin\tgàn\n"
        "U+5E79\tkSimplifiedVariant\tU+5E72\n");
    EXPECT_EQ(OwnRow(u'发')[1], u"發");  // same reading
    EXPECT_EQ(OwnRow(u'髮')[1], u"发");  // 发 has its own row before 髮's
    EXPECT_EQ(OwnRow(u'乾')[1], u"乾");  // 干 reads otherwise and comes later: not in column 2
    EXPECT_EQ(OwnRow(u'干')[1], u"乾");  // 乾 has its own row before 干's
    EXPECT_EQ(Reading(u'发'), u"fā");
    EXPECT_EQ(Reading(u'發'), u"fā");
    EXPECT_EQ(Reading(u'髮'), u"fà");
    EXPECT_EQ(Reading(u'乾'), u"qián");
    EXPECT_EQ(Reading(u'干'), u"gàn");
    EXPECT_EQ(Reading(u'幹'), u"gàn");
}

TEST(ReadingChoices, ParsesLinesAndRefusesMalformedOnes) {
    const auto choices = ParseReadingChoices(
        "# character\treading\treason\n"
        "\n"
        "地\tdì\tthe noun\n"
        "似\tsì\t似乎\n");
    EXPECT_EQ(choices, (ReadingChoices{{U'地', u"dì"}, {U'似', u"sì"}}));
    EXPECT_THROW(ParseReadingChoices("地\tdì\n"), std::runtime_error);         // no reason
    EXPECT_THROW(ParseReadingChoices("地方\tdì\twhy\n"), std::runtime_error);  // two characters
    EXPECT_THROW(ParseReadingChoices("地\t\twhy\n"), std::runtime_error);      // no reading
}

TEST_F(BuildDictionaryTest, ChosenReadingReplacesTheCustomaryOne) {
    const auto data = Data(
        "U+5730\tkMandarin\tde dì\n"
        "U+5730\tkTGHZ2013\t069.070:de 072.060:dì\n"
        "U+4E2D\tkMandarin\tzhōng\n");
    const auto build = BuildDictionary(data, {{U'地', u"dì"}});
    ASSERT_EQ(build.records.size(), 2u);
    EXPECT_EQ(build.records[1], (DictionaryRecord{u"地", u"地", u"dì", u"di"}));
    EXPECT_EQ(build.records[0][2], u"zhōng");
    // A choice must be one of the character's own readings.
    EXPECT_THROW(BuildDictionary(data, {{U'地', u"tǔ"}}), std::runtime_error);
}

}  // namespace
}  // namespace sorvani
