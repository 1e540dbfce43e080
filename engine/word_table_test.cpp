#include "word_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "path_text.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

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

TEST(WordTable, LongestMatchAgreesWithASearchOfEveryWord) {
    // Words of a few units from a small set share their beginnings in every way: words that are
    // beginnings of others, beginnings that are no word, and beginnings of words past the text.
    std::mt19937 random(7);
    const std::u16string units = u"一二三四五";
    const auto draw = [&](size_t length) {
        std::u16string text;
        for (size_t k = 0; k < length; ++k) text += units[random() % units.size()];
        return text;
    };
    std::map<std::u16string, WordTable::Word> unique;
    while (unique.size() < 300) {
        std::u16string text = draw(2 + random() % 5);
        unique[text] = {text, std::vector<std::u16string>(text.size(), u"yī")};
    }
    std::vector<WordTable::Word> words;
    for (auto& [text, word] : unique) words.push_back(std::move(word));
    const auto table = Table(words);
    for (int round = 0; round < 5000; ++round) {
        const std::u16string text = draw(random() % 9);
        std::u16string longest;
        for (const auto& word : words)
            if (text.starts_with(word.text) && word.text.size() > longest.size())
                longest = word.text;
        ASSERT_EQ(Matched(table, text), longest) << round;
    }
}

TEST(WordTable, RefusesDamagedFiles) {
    const std::string good = WordTable::Serialise({{u"银行", {u"yín", u"háng"}}});
    EXPECT_NO_THROW(WordTable::Parse(good, "t"));
    EXPECT_THROW(WordTable::Parse(good.substr(0, good.size() - 1), "t"), WordTableError);
    EXPECT_THROW(WordTable::Parse(good + "x", "t"), WordTableError);
    EXPECT_THROW(WordTable::Parse("SVWORDS1" + good.substr(8), "t"), WordTableError);
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

TEST(WordTable, RefusesEveryFlippedBit) {
    const std::string good = WordTable::Serialise(
        {{u"银行", {u"yín", u"háng"}}, {u"银行家", {u"yín", u"háng", u"jiā"}}});
    for (size_t bit = 0; bit < good.size() * 8; ++bit) {
        std::string flipped = good;
        flipped[bit / 8] = static_cast<char>(flipped[bit / 8] ^ (1 << (bit % 8)));
        EXPECT_THROW(WordTable::Parse(flipped, "t"), WordTableError) << "bit " << bit;
    }
}

void PutNumber(std::string& bytes, size_t at, uint32_t value) {
    for (size_t b = 0; b < 4; ++b) bytes[at + b] = static_cast<char>((value >> (8 * b)) & 0xFF);
}

// The bytes with the little-endian number at the place, sealed again, so that only the
// structure is wrong.
std::string WithNumber(std::string bytes, size_t at, uint32_t value) {
    PutNumber(bytes, at, value);
    WordTable::Seal(bytes);
    return bytes;
}

TEST(WordTable, RefusesCountsAndOffsetsOutsideTheFile) {
    const std::string good = WordTable::Serialise({{u"银行", {u"yín", u"háng"}}});
    const size_t counts = kWordTableHeaderBytes - 16, syllableBytes = 11;  // "háng\nyín\n"
    const size_t offsets = kWordTableHeaderBytes + syllableBytes;
    ASSERT_EQ(good.size(), offsets + 4 * 2 + 4 * 2);
    EXPECT_NO_THROW(WordTable::Parse(WithNumber(good, offsets + 4, 2), "t"));
    for (const uint32_t offset : {0xFFFFFFFFu, 0xFFFFFFFEu, 3u, 1u}) {
        EXPECT_THROW(WordTable::Parse(WithNumber(good, offsets, offset), "t"), WordTableError);
        EXPECT_THROW(WordTable::Parse(WithNumber(good, offsets + 4, offset), "t"), WordTableError);
    }
    for (size_t count = 0; count < 4; ++count) {
        for (const uint32_t value : {0xFFFFFFFFu, 0x80000000u, 0x3FFFFFFFu, 3u, 0u})
            EXPECT_THROW(WordTable::Parse(WithNumber(good, counts + 4 * count, value), "t"),
                         WordTableError)
                << "count " << count << " = " << value;
    }
}

class WordTableLoad : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("sorvani-word-table-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path Write(const std::string& bytes) {
        const auto file = dir_ / kWordTableFileName;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    static std::string Refusal(const std::filesystem::path& file) {
        try {
            WordTable::Load(file);
        } catch (const WordTableError& error) {
            return error.what();
        }
        return "";
    }

    std::filesystem::path dir_;
};

TEST_F(WordTableLoad, LoadNamesAMissingOrDamagedFile) {
    EXPECT_EQ(Refusal(dir_ / "no-such-dir" / "w.dat"),
              PathText(dir_ / "no-such-dir" / "w.dat") + ": file not found");
    const std::string good = WordTable::Serialise({{u"银行", {u"yín", u"háng"}}});
    EXPECT_EQ(WordTable::Load(Write(good)).size(), 1u);
    std::string flipped = good;
    flipped.back() ^= 1;
    const auto file = Write(flipped);
    EXPECT_EQ(Refusal(file),
              "Damaged word table (its checksum does not match its contents): " + PathText(file));
    EXPECT_EQ(Refusal(Write("")), "Damaged word table (it ends early): " + PathText(file));
    EXPECT_EQ(Refusal(Write(good.substr(0, 20))),
              "Damaged word table (it ends early): " + PathText(file));
    EXPECT_EQ(Refusal(dir_), PathText(dir_) + ": not a regular file");
}

TEST_F(WordTableLoad, ReadsNoMoreThanTheHeaderDeclares) {
    // A header that declares more than any table is refused before the rest is read, and a file
    // longer than its header says is read only a byte past that.
    std::string huge = WordTable::Serialise({});
    PutNumber(huge, 8, static_cast<uint32_t>(kLargestWordTable + 1));
    EXPECT_NE(Refusal(Write(huge)).find("a size no word table has"), std::string::npos);
    const std::string good = WordTable::Serialise({{u"银行", {u"yín", u"háng"}}});
    EXPECT_NE(Refusal(Write(good + std::string(1 << 20, 'x'))).find("bytes after its end"),
              std::string::npos);
}

#ifndef _WIN32
TEST_F(WordTableLoad, RefusesAPipeOrADeviceWithoutReadingIt) {
    // Opening a pipe waits for a writer that never comes; a device may never end.
    const auto fifo = dir_ / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(Refusal(fifo), PathText(fifo) + ": not a regular file");
    EXPECT_EQ(Refusal("/dev/zero"), "/dev/zero: not a regular file");
}
#endif

}  // namespace
}  // namespace sorvani
