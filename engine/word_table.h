#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "unit_hash.h"

// The word table: words of two or more characters with the reading of each character, for the
// characters whose reading in the word is not the one the dictionary gives them alone.
//
// File layout (integers little-endian, no padding):
//   "SVWORDS2"                    magic
//   u32 file size F               the whole file, header included
//   u32 checksum                  CRC-32 of every byte after this field
//   u32 syllable count S, u32 syllable bytes B, u32 word count W, u32 unit count U
//   B bytes: S syllables in UTF-8 with tone marks, each ended by LF; syllable n (1-based) is the
//            n-th of them
//   u32 offsets[W + 1]: word i is units offsets[i] up to offsets[i + 1]
//   u16 units[U]: the words' UTF-16 units, the words in ascending order of their units
//   u16 readings[U]: the syllable number of each unit, in step with units
// F is 32 + B + 4 (W + 1) + 4 U exactly.
namespace sorvani {

inline constexpr const char* kWordTableFileName = "VeRevorWords.dat";
// Bytes up to the counts, which tell how long the rest is.
inline constexpr size_t kWordTableHeaderBytes = 32;
// Far more than any word list of the language takes (the shipped table has 111 KB; 400,000 words
// of four characters would take 10 MB): a larger file is no word table, and is not read.
inline constexpr size_t kLargestWordTable = size_t{64} << 20;

// Number of a syllable of the table, from 1; 0 stands for "no syllable chosen".
using SyllableId = uint16_t;

// Why the word table cannot be used; what() names the file in English, for the tool.
class WordTableError : public std::runtime_error {
  public:
    enum class Kind { Missing, NotRegularFile, Unreadable, Damaged };

    WordTableError(Kind kind, const std::string& message, std::string file)
        : std::runtime_error(message), kind_(kind), file_(std::move(file)) {}
    Kind kind() const { return kind_; }
    // The file as the message names it.
    const std::string& file() const { return file_; }

  private:
    Kind kind_;
    std::string file_;
};

class WordTable {
  public:
    struct Word {
        std::u16string text;
        std::vector<std::u16string> syllables;  // with tone marks, one per unit
    };

    WordTable() = default;

    // Throws WordTableError naming the file when it is missing, no regular file, cannot be read,
    // or is not a whole, undamaged word table. Reads no more than the header says the file holds.
    static WordTable Load(const std::filesystem::path& file);
    // The table held in the bytes; name is used in messages. Throws WordTableError.
    static WordTable Parse(std::string_view bytes, const std::string& name);
    // The file's bytes for these words, which must be sorted by text and unique.
    static std::string Serialise(const std::vector<Word>& words);
    // Writes the size and checksum of the file's bytes into their header (of at least
    // kWordTableHeaderBytes bytes), as Serialise does.
    static void Seal(std::string& bytes);

    size_t size() const { return offsets_.empty() ? 0 : offsets_.size() - 1; }
    // Units of the longest word; 0 for an empty table.
    size_t Longest() const { return longest_; }

    struct Match {
        size_t length = 0;  // 0 when no word matches
        uint32_t word = 0;
    };
    // The longest word that the text starts with.
    Match LongestMatch(std::u16string_view text) const {
        if (text.size() < 2 || !MayStartWith(text[0], text[1])) return {};
        return SearchLongest(text);
    }
    // False rules out every word that starts with these units: most places of a text start no
    // word, and this tells them without a branch.
    bool MayStartWith(char16_t first, char16_t second) const {
        const size_t bit = PairBit(first, second);
        return (firstUnits_[first / 64] >> (first % 64)) & (firstPairs_[bit / 64] >> (bit % 64)) &
               1;
    }

    std::u16string_view Text(uint32_t word) const;
    // The syllable numbers of the word's units.
    std::span<const SyllableId> Readings(uint32_t word) const;

    // The syllables, with tone marks; Syllables()[n - 1] is syllable n.
    const std::vector<std::u16string>& Syllables() const { return syllables_; }

  private:
    size_t WordLength(uint32_t word) const { return offsets_[word + 1] - offsets_[word]; }
    Match SearchLongest(std::u16string_view text) const;

    std::vector<std::u16string> syllables_;
    std::vector<uint32_t> offsets_;
    std::vector<char16_t> units_;
    std::vector<SyllableId> readings_;
    // Every beginning of two or more units of every word, in an open-addressing table by its
    // HashStep hash: a search steps from a beginning to the next by one unit, where a binary
    // search among the words that start alike cost about 80 ns a place of prose. A slot holds
    // the hash's high 32 bits as its check, whether longer words go on, and whether a word ends
    // there and which; 0 is an empty slot. Beginnings whose checks are alike may share a slot,
    // but each word's end has one of its own, and a search reads every slot of its check up to
    // an empty one: a word is always found, and never one in its place.
    static constexpr uint64_t kWordMask = (uint64_t{1} << 30) - 1;
    static constexpr uint64_t kEndsWord = uint64_t{1} << 30;
    static constexpr uint64_t kGoesOn = uint64_t{1} << 31;
    void IndexPrefixes();
    std::vector<uint64_t> prefixes_ = std::vector<uint64_t>(1, 0);
    size_t prefixMask_ = 0;
    // A bit for the first unit of each word, and one for its first two units by a hash: a clear
    // bit in either rules a match out. 2^18 bits for the pairs (32 KB): with 2^16, four in five
    // of the places of prose that passed both held no word, and each was searched for; 2^20
    // bits rule out a few more places but are missed in the cache more often than that gains.
    static constexpr size_t kPairBits = size_t{1} << 18;
    static size_t PairBit(char16_t first, char16_t second) {
        return ((uint32_t{first} * 0x9E3779B1u) ^ (uint32_t{second} * 0x85EBCA77u)) >> 14;
    }
    std::array<uint64_t, 0x10000 / 64> firstUnits_{};
    std::vector<uint64_t> firstPairs_ = std::vector<uint64_t>(kPairBits / 64);
    size_t longest_ = 0;
};

// The word table file in the given program directory.
std::filesystem::path WordTableFilePath(const std::filesystem::path& programDirectory);

}  // namespace sorvani
