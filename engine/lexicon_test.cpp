#include "lexicon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

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

// The cut of the text as "start:length:tag" words.
std::string CutOf(const Lexicon& lexicon, std::u16string_view text) {
    std::array<PieceWord, Lexicon::kLongestCut> words;
    const size_t count = lexicon.Cut(text, 9, words);
    std::string cut;
    for (size_t k = 0; k < count; ++k)
        cut += std::to_string(words[k].start) + ":" + std::to_string(words[k].length) + ":" +
               std::to_string(words[k].tag) + " ";
    return cut;
}

// The least cost from each place to the end by the words WordsAt finds place by place, and the
// cut it gives: the reference Cut must agree with.
std::string PlaceByPlaceCut(const Lexicon& lexicon, std::u16string_view text) {
    std::vector<uint32_t> cost(text.size() + 1, 0);
    std::vector<std::pair<size_t, int>> first(text.size());
    for (size_t at = text.size(); at-- > 0;) {
        cost[at] = lexicon.UnknownCost() + cost[at + 1];
        first[at] = {1, 9};
        lexicon.WordsAt(text.substr(at), [&](const Lexicon::Found& word) {
            const uint32_t total = word.cost + cost[at + word.length];
            if (word.length == 1 || total < cost[at] ||
                (total == cost[at] && word.length > first[at].first)) {
                cost[at] = total;
                first[at] = {word.length, word.tag};
            }
        });
    }
    std::string cut;
    for (size_t at = 0; at < text.size(); at += first[at].first)
        cut += std::to_string(at) + ":" + std::to_string(first[at].first) + ":" +
               std::to_string(first[at].second) + " ";
    return cut;
}

TEST(Lexicon, CutsATextIntoItsLikeliestWords) {
    auto lexicon = Lexicon::Parse(Bytes({{u"中", 10, 0},
                                         {u"中国", 20, 0},
                                         {u"中国人民", 30, 1},
                                         {u"国", 40, 0},
                                         {u"人民", 50, 0},
                                         {u"国人", 60, 1},
                                         {u"民中国人民", 70, 1}}),
                                  "test");
    EXPECT_EQ(CutOf(lexicon, u"中国人民银行"), "0:4:1 4:1:9 5:1:9 ");
    // The one word (30) against its two (20 + 50).
    EXPECT_EQ(CutOf(lexicon, u"中国人民"), "0:4:1 ");
    EXPECT_EQ(CutOf(lexicon, u"国人民"), "0:1:0 1:2:0 ");
    EXPECT_EQ(CutOf(lexicon, u""), "");
    // Of two paths of one cost, the longer first word.
    lexicon.Add(u"银行", 3960, 1);
    lexicon.Add(u"银", 10, 0);
    lexicon.Add(u"行", 3950, 0);
    EXPECT_EQ(CutOf(lexicon, u"银行"), "0:2:1 ");
    // No more than the most units it takes at once.
    std::array<PieceWord, Lexicon::kLongestCut> words;
    EXPECT_EQ(lexicon.Cut(std::u16string(Lexicon::kLongestCut + 5, u'国'), 9, words),
              Lexicon::kLongestCut);
    EXPECT_EQ(words.back().start, Lexicon::kLongestCut - 1);
}

TEST(Lexicon, CutsAsTheWordsFoundPlaceByPlaceDo) {
    // Words of a few characters, so that they overlap in every way, some of them added after the
    // table is read; random texts of them.
    const std::u16string units = u"一二三四五六";
    std::mt19937 random(27);
    const auto text = [&](size_t size) {
        std::u16string made;
        while (made.size() < size) made += units[random() % units.size()];
        return made;
    };
    std::vector<Lexicon::Word> words;
    for (size_t k = 0; k < 60; ++k) {
        const std::u16string word = text(1 + random() % 4);
        if (std::none_of(words.begin(), words.end(), [&](auto& w) { return w.text == word; }))
            words.push_back({word, static_cast<uint32_t>(random() % 5000), uint8_t(k % 2)});
    }
    auto lexicon = Lexicon::Parse(Bytes(words), "test");
    for (size_t k = 0; k < 20; ++k) lexicon.Add(text(2 + random() % 4), random() % 5000, 1);
    for (size_t round = 0; round < 300; ++round) {
        const std::u16string sample = text(random() % 40);
        EXPECT_EQ(CutOf(lexicon, sample), PlaceByPlaceCut(lexicon, sample)) << round;
    }
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

TEST(Lexicon, MayHoldFindsEveryWordHoldsFindsAndHardlyAnyOther) {
    std::mt19937 random(7);
    const auto text = [&](size_t length) {
        std::u16string units;
        for (size_t k = 0; k < length; ++k) units += static_cast<char16_t>(u'一' + random() % 40);
        return units;
    };
    std::vector<Lexicon::Word> words;
    for (uint32_t k = 0; k < 3000; ++k)
        words.push_back({text(1 + k % 5), k % 500, static_cast<uint8_t>(k % 2)});
    std::sort(words.begin(), words.end(), [](auto& a, auto& b) { return a.text < b.text; });
    words.erase(
        std::unique(words.begin(), words.end(), [](auto& a, auto& b) { return a.text == b.text; }),
        words.end());
    const auto lexicon = Lexicon::Parse(Bytes(words), "test");
    size_t held = 0, foundOnlyByMayHold = 0;
    for (size_t k = 0; k < 20000; ++k) {
        const std::u16string candidate = text(1 + k % 6);
        Lexicon::Found entry{}, mayEntry{};
        const bool holds = lexicon.Holds(candidate, entry);
        const bool may = lexicon.MayHold(candidate, mayEntry);
        held += holds;
        foundOnlyByMayHold += may && !holds;
        if (holds) {
            ASSERT_TRUE(may);
            EXPECT_EQ(mayEntry.length, entry.length);
            EXPECT_EQ(mayEntry.cost, entry.cost);
            EXPECT_EQ(mayEntry.tag, entry.tag);
        }
    }
    EXPECT_GT(held, 1000u);
    EXPECT_EQ(foundOnlyByMayHold, 0u);  // only a collision of hashes would find one
    Lexicon::Found entry;
    EXPECT_FALSE(lexicon.MayHold(u"", entry));
    EXPECT_FALSE(lexicon.MayHold(text(7), entry));  // longer than any word
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
