#include "lexicon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace sorvani {
namespace {

const std::vector<std::string> kTags = {"n", "v"};

std::string Bytes(const std::vector<Lexicon::Word>& words) {
    return Lexicon::Serialise(words, kTags, 4000);
}

// The words the text starts with, as "length:cost:tag" in the order found.
std::string WordsAt(const Lexicon& lexicon, std::u16string_view text) {
    std::string found;
    lexicon.WordsAt(text, [&](const Lexicon::Found& word) {
        found += std::to_string(word.length) + ":" + std::to_string(word.cost) + ":" +
                 std::to_string(word.tag) + " ";
    });
    return found;
}

TEST(Lexicon, FindsEveryWordATextStartsWithShortestFirst) {
    const auto lexicon = Lexicon::Parse(
        Bytes({{u"中", 10, 0}, {u"中国", 20, 0}, {u"中国人民", 30, 1}, {u"国", 40, 0}}), "test");
    EXPECT_EQ(WordsAt(lexicon, u"中国人民银行"), "1:10:0 2:20:0 4:30:1 ");
    EXPECT_EQ(WordsAt(lexicon, u"中国人"), "1:10:0 2:20:0 ");  // 中国人 only begins a word
    EXPECT_EQ(WordsAt(lexicon, u"国中"), "1:40:0 ");
    EXPECT_EQ(WordsAt(lexicon, u"人民"), "");  // the end of a word is no word
    EXPECT_EQ(WordsAt(lexicon, u""), "");
    EXPECT_EQ(lexicon.Longest(), 4u);
    EXPECT_EQ(lexicon.UnknownCost(), 4000u);
    EXPECT_EQ(lexicon.Tags(), kTags);
    EXPECT_EQ(lexicon.TagIndex("v"), 1u);
    EXPECT_EQ(lexicon.TagIndex("q"), 2u);
}

// The words at every place of the text, found all at once, as "place:length:cost:tag" sorted.
template <size_t kMostPlaces>
std::vector<std::string> EveryWord(const Lexicon& lexicon, std::u16string_view text) {
    std::vector<std::string> found;
    lexicon.EveryWord<kMostPlaces>(text, [&](size_t at, const Lexicon::Found& word) {
        found.push_back(std::to_string(at) + ":" + std::to_string(word.length) + ":" +
                        std::to_string(word.cost) + ":" + std::to_string(word.tag));
    });
    std::sort(found.begin(), found.end());
    return found;
}

TEST(Lexicon, FindsAtOnceTheWordsAtEveryPlaceThatItFindsPlaceByPlace) {
    const auto lexicon = Lexicon::Parse(Bytes({{u"中", 10, 0},
                                               {u"中国", 20, 0},
                                               {u"中国人民", 30, 1},
                                               {u"国", 40, 0},
                                               {u"人民", 50, 0},
                                               {u"国人", 60, 1},
                                               {u"民中国人民", 70, 1}}),
                                        "test");
    const std::u16string text = u"中国人民中国人民银行中国";
    std::vector<std::string> placeByPlace;
    for (size_t at = 0; at < text.size(); ++at)
        lexicon.WordsAt(std::u16string_view(text).substr(at), [&](const Lexicon::Found& word) {
            placeByPlace.push_back(std::to_string(at) + ":" + std::to_string(word.length) + ":" +
                                   std::to_string(word.cost) + ":" + std::to_string(word.tag));
        });
    std::sort(placeByPlace.begin(), placeByPlace.end());
    EXPECT_EQ(EveryWord<16>(lexicon, text), placeByPlace);
    // Places past the most it is asked for are not read, nor are words that would reach them.
    EXPECT_EQ(EveryWord<3>(lexicon, text),
              (std::vector<std::string>{"0:1:10:0", "0:2:20:0", "1:1:40:0", "1:2:60:1"}));
    EXPECT_TRUE(EveryWord<16>(lexicon, u"").empty());
}

TEST(Lexicon, AddsWordsItLacksAndKeepsThoseItHolds) {
    auto lexicon = Lexicon::Parse(Bytes({{u"中国", 20, 0}}), "test");
    EXPECT_TRUE(lexicon.Add(u"中国", 99, 1));
    EXPECT_TRUE(lexicon.Add(u"中国银行", 50, 1));
    EXPECT_EQ(WordsAt(lexicon, u"中国银行"), "2:20:0 4:50:1 ");
    EXPECT_EQ(lexicon.Longest(), 4u);
    // A small table fills up: it refuses a word rather than loop over full slots.
    size_t added = 0;
    for (char16_t unit = u'一'; unit < u'一' + 100; ++unit)
        added += lexicon.Add(std::u16string(3, unit), 1, 0);
    EXPECT_LT(added, 100u);
    EXPECT_EQ(WordsAt(lexicon, u"人人人人"), "");  // a word never added is not found
}

TEST(Lexicon, HoldsEveryWordItIsWrittenWithAtAnySize) {
    // Long words in few keys: the room Insert asks for counts every unit of a word, so a table
    // sized by its keys alone would refuse some of them.
    for (size_t count = 1; count <= 40; ++count) {
        std::vector<Lexicon::Word> words;
        for (size_t k = 0; k < count; ++k)
            words.push_back({std::u16string(u"一二三四五六七八九十") + char16_t(u'甲' + k),
                             static_cast<uint32_t>(k), 0});
        const std::string bytes = Bytes(words);
        const auto lexicon = Lexicon::Parse(bytes, "test");
        for (const auto& word : words) {
            Lexicon::Found found;
            ASSERT_TRUE(lexicon.Holds(word.text, found)) << count;
            EXPECT_EQ(found.cost, word.cost);
        }
        // At most 70% full, with the header's slot count.
        const size_t slots = size_t{1} << (static_cast<unsigned char>(bytes[16]));
        EXPECT_EQ(bytes.size(), 16 + 20 + 4 + 8 * slots);
        EXPECT_LE(10 * (10 + count), 7 * slots) << count;
    }
}

TEST(Lexicon, CostFallsWithFrequency) {
    EXPECT_EQ(Lexicon::CostOf(1, 4000), 4000u);
    EXPECT_EQ(Lexicon::CostOf(std::exp(2.0), 4000), 4000u - 2 * Lexicon::kCostScale);
    EXPECT_EQ(Lexicon::CostOf(1e30, 4000), 0u);  // never below nothing
}

// Whether the bytes are refused, as bytes and as a file, which is read in parts (the header and
// the tags, then the slots straight into the table): both must agree.
bool Refused(const std::string& bytes) {
    const auto refusedBy = [](const auto& load, const std::string& name) {
        try {
            load();
        } catch (const LexiconError& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
            return true;
        }
        return false;
    };
    const auto dir = std::filesystem::temp_directory_path() / "sorvani_lexicon_damage_test";
    std::filesystem::create_directories(dir);
    const auto file = dir / "lex.dat";
    std::ofstream(file, std::ios::binary) << bytes;
    const bool parsed = refusedBy([&] { Lexicon::Parse(bytes, "lex.dat"); }, "lex.dat");
    const bool loaded = refusedBy([&] { Lexicon::Load(file); }, "lex.dat");
    std::filesystem::remove_all(dir);
    EXPECT_EQ(parsed, loaded);
    return parsed && loaded;
}

TEST(Lexicon, RefusesDamagedFilesNamingThem) {
    const std::string good = Bytes({{u"中国", 20, 0}, {u"银行", 30, 1}});
    EXPECT_FALSE(Refused(good));
    EXPECT_TRUE(Refused(""));
    EXPECT_TRUE(Refused("SVLEXIC1"));
    EXPECT_TRUE(Refused("SVWORDS1" + good.substr(8)));
    EXPECT_TRUE(Refused(good.substr(0, good.size() - 8)));  // truncated
    EXPECT_TRUE(Refused(good + std::string(8, '\0')));      // longer
    for (size_t at = 16; at < good.size(); at += 7) {       // any changed byte
        std::string changed = good;
        changed[at] = static_cast<char>(changed[at] ^ 0x40);
        EXPECT_TRUE(Refused(changed)) << "byte " << at;
    }
}

// The bytes with a field changed and the checksum made right again, as a careless writer would
// make them: the loader must still refuse them.
std::string Resealed(std::string bytes, size_t at, uint32_t value) {
    for (size_t b = 0; b < 4; ++b) bytes[at + b] = static_cast<char>((value >> (8 * b)) & 0xFF);
    const uint64_t sum = LexiconChecksum(std::string_view(bytes).substr(16));
    for (size_t b = 0; b < 8; ++b) bytes[8 + b] = static_cast<char>((sum >> (8 * b)) & 0xFF);
    return bytes;
}

TEST(Lexicon, RefusesFieldsOutOfRangeUnderARightChecksum) {
    const std::string good = Bytes({{u"中国", 20, 0}, {u"银行", 30, 1}});
    EXPECT_NO_THROW(Lexicon::Parse(Resealed(good, 16 + 8, 4000), "x"));          // the same value
    EXPECT_THROW(Lexicon::Parse(Resealed(good, 16, 25), "x"), LexiconError);     // 2^25 slots
    EXPECT_THROW(Lexicon::Parse(Resealed(good, 16, 3), "x"), LexiconError);      // wrong size
    EXPECT_THROW(Lexicon::Parse(Resealed(good, 16 + 4, 0), "x"), LexiconError);  // longest 0
    EXPECT_THROW(Lexicon::Parse(Resealed(good, 16 + 8, 1u << 20), "x"), LexiconError);  // cost
    EXPECT_THROW(Lexicon::Parse(Resealed(good, 16 + 12, 1), "x"), LexiconError);        // tag count
    // A word's tag past the tags: the slots start after the header and the tags "n\nv\n".
    const size_t slots = 16 + 20 + 4;
    std::string tagged = good;
    for (size_t at = slots; at < tagged.size(); at += 8) {
        const uint64_t slot = [&] {
            uint64_t value = 0;
            for (size_t b = 0; b < 8; ++b)
                value |= uint64_t{static_cast<unsigned char>(tagged[at + b])} << (8 * b);
            return value;
        }();
        if (slot & (uint64_t{1} << 20)) {                               // a word ends here
            tagged[at + 1] = static_cast<char>(tagged[at + 1] | 0xC0);  // tag bits 14, 15
            break;
        }
    }
    const uint64_t sum = LexiconChecksum(std::string_view(tagged).substr(16));
    for (size_t b = 0; b < 8; ++b) tagged[8 + b] = static_cast<char>((sum >> (8 * b)) & 0xFF);
    EXPECT_THROW(Lexicon::Parse(tagged, "x"), LexiconError);
    // A slot in use that neither ends a word nor goes on: its bits 20 and 21 cleared.
    std::string empty = good;
    for (size_t at = slots; at < empty.size(); at += 8) {
        if (empty[at + 2] & 0x30) {
            empty[at + 2] = static_cast<char>(empty[at + 2] & ~0x30);
            break;
        }
    }
    const uint64_t emptySum = LexiconChecksum(std::string_view(empty).substr(16));
    for (size_t b = 0; b < 8; ++b) empty[8 + b] = static_cast<char>((emptySum >> (8 * b)) & 0xFF);
    try {
        Lexicon::Parse(empty, "x");
        ADD_FAILURE() << "a slot that holds nothing was taken";
    } catch (const LexiconError& error) {
        EXPECT_NE(std::string(error.what()).find("holds nothing"), std::string::npos);
    }
}

TEST(Lexicon, TakesTheIdeographsOfTheBasicPlaneToTheEdgesOfTheirBlocks) {
    for (const char16_t unit : {u'\x3400', u'\x4E00', u'\x9FFF', u'\xF900', u'\xFAFF', u'〇'})
        EXPECT_TRUE(IsLexiconUnit(unit)) << std::hex << int{unit};
    for (const char16_t unit : {u'\0', u'a', u'\x3006', u'\x3008', u'\x33FF', u'\xA000', u'\xF8FF',
                                u'\xFB00', u'\xFFFF', u'\xD800', u'，'})
        EXPECT_FALSE(IsLexiconUnit(unit)) << std::hex << int{unit};
}

TEST(Lexicon, LoadRefusesWhatIsNoRegularFile) {
    const auto dir = std::filesystem::temp_directory_path() / "sorvani_lexicon_test";
    std::filesystem::create_directories(dir);
    const auto expectRefused = [](const std::filesystem::path& path, const std::string& what) {
        try {
            Lexicon::Load(path);
            ADD_FAILURE() << "loaded " << path;
        } catch (const LexiconError& error) {
            EXPECT_NE(std::string(error.what()).find(what), std::string::npos) << error.what();
        }
    };
    expectRefused(dir / "missing.dat", "missing.dat: file not found");
    expectRefused(dir, "sorvani_lexicon_test: not a regular file");
    const auto file = dir / kLexiconFileName;
    std::ofstream(file, std::ios::binary) << Bytes({{u"中国", 20, 0}});
    EXPECT_EQ(WordsAt(Lexicon::Load(file), u"中国"), "2:20:0 ");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace sorvani
