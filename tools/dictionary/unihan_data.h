#pragma once

#include <istream>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The parts of the Unicode Character Database that the pinyin dictionary is built from: the
// fields of the Unicode Han database (Unihan_Readings.txt, Unihan_Variants.txt) and the
// one-character canonical decompositions of UnicodeData.txt, which map each CJK compatibility
// ideograph to its unified ideograph.
namespace sorvani {

class UnihanData {
  public:
    // Reads a Unihan file: lines "U+XXXX<TAB>field<TAB>value"; comments (#) and blank lines are
    // skipped. A later value of the same field replaces an earlier one.
    void ReadUnihan(std::istream& in);

    // Reads UnicodeData.txt and keeps the canonical decompositions to a single character.
    void ReadUnicodeData(std::istream& in);

    // The value of a field of a character; empty when the character does not have it.
    std::string_view Field(char32_t character, std::string_view field) const;

    // The character that a character decomposes to canonically, or 0.
    char32_t CanonicalSingleton(char32_t character) const;

  private:
    std::unordered_map<char32_t, std::map<std::string, std::string, std::less<>>> fields_;
    std::unordered_map<char32_t, char32_t> singletons_;
};

// The parts of a text between separators, empty ones included: "a,,b" gives "a", "", "b".
std::vector<std::string_view> Split(std::string_view text, char separator);

// The code point of "U+XXXX" or of a variant entry with its source, "U+XXXX<kSource"; 0 when
// the text is no such thing.
char32_t ParseCodePoint(std::string_view text);

// The code points of a space-separated list of entries, in order, malformed entries left out.
std::vector<char32_t> ParseCodePoints(std::string_view text);

}  // namespace sorvani
