#include "word_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace sorvani {
namespace {

WordTable Table(const std::vector<WordTable::Word>& words) {
    return WordTable::Parse(WordTable::Serialise(words), "test");
}

std::u16string Matched(const WordTable& table, std::u16string_view text) {
    const auto match = table.LongestMatch(text);
    if (match.length == 0) return u"";
    EXPECT_EQ(table.Text(match.word).size(), match.length);
    return std::u16string(table.Text(match.word));
}

TEST(WordTable, KeepsWordsAndSyllablesThroughTheFile) {
    const auto table = Table({{u"银行", {u"yín", u"háng"}}, {u"长大", {u"zhǎng", u"dà"}}});
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table.Longest(), 2u);
    EXPECT_EQ(table.Syllables(), (std::vector<std::u16string>{u"dà", u"háng", u"yín", u"zhǎng"}));
    const auto match = table.LongestMatch(u"银行家");
    ASSERT_EQ(match.length, 2u);
    const auto readings = table.Readings(match.word);
    ASSERT_EQ(readings.size(), 2u);
    EXPECT_EQ(table.Syllables()[readings[0] - 1], u"yín");
    EXPECT_EQ(table.Syllables()[readings[1] - 1], u"háng");
}

TEST(WordTable, LongestMatchTakesTheLongestWordTheTextStartsWith) {
    const auto table = Table({{u"中国", {u"zhōng", u"guó"}},
                              {u"中国银行", {u"zhōng", u"guó", u"yín", u"háng"}},
                              {u"中间", {u"zhōng", u"jiān"}},
                              {u"国家", {u"guó", u"jiā"}}});
    EXPECT_EQ(Matched(table, u"中国银行的"), u"中国银行");
    EXPECT_EQ(Matched(table, u"中国银"), u"中国");  // the longer word does not fit
    EXPECT_EQ(Matched(table, u"中国人"), u"中国");
    EXPECT_EQ(Matched(table, u"中间"), u"中间");
    EXPECT_EQ(Matched(table, u"中"), u"");
    EXPECT_EQ(Matched(table, u"中文"), u"");
    EXPECT_EQ(Matched(table, u"家国"), u"");
    EXPECT_EQ(Matched(table, u""), u"");
    EXPECT_EQ(Matched(WordTable(), u"中国"), u"");
}

TEST(WordTable, RefusesDamagedFiles) {
    const std::string good = WordTable::Serialise({{u"银行", {u"yín", u"háng"}}});
    EXPECT_NO_THROW(WordTable::Parse(good, "t"));
    EXPECT_THROW(WordTable::Parse(good.substr(0, good.size() - 1), "t"), WordTableError);
    EXPECT_THROW(WordTable::Parse(good + "x", "t"), WordTableError);
    EXPECT_THROW(WordTable::Parse("SVWORDS2" + good.substr(8), "t"), WordTableError);
    std::string badId = good;
    badId.back() = 9;  // syllable 9 of 2
    EXPECT_THROW(WordTable::Parse(badId, "t"), WordTableError);
    const std::string unsorted =
        WordTable::Serialise({{u"长大", {u"zhǎng", u"dà"}}, {u"银行", {u"yín", u"háng"}}});
    EXPECT_THROW(WordTable::Parse(unsorted, "t"), WordTableError);
    // The name of the file is in the message.
    try {
        WordTable::Parse("", "/some/VeRevorWords.dat");
        FAIL();
    } catch (const WordTableError& error) {
        EXPECT_NE(std::string(error.what()).find("/some/VeRevorWords.dat"), std::string::npos);
    }
}

TEST(WordTable, LoadNamesAMissingFile) {
    const auto missing = std::filesystem::temp_directory_path() / "no-such-dir" / "w.dat";
    try {
        WordTable::Load(missing);
        FAIL();
    } catch (const WordTableError& error) {
        EXPECT_NE(std::string(error.what()).find("File not found"), std::string::npos);
    }
}

}  // namespace
}  // namespace sorvani
