#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pinyin_dictionary.h"
#include "pinyin_syllable.h"
#include "unihan_data.h"

// Builds the rows of the pinyin dictionary from the Unicode Han database.
//
// Rows: one for every CJK unified or compatibility ideograph that code page 936 encodes and that
// has a Mandarin reading, in code point order. Column 1 is the character, column 2 its
// traditional or simplified counterpart (or the character again), column 3 its preferred reading
// with tone marks and column 4 that reading without them.
namespace sorvani {

// Whether the character is a CJK unified ideograph or a CJK compatibility ideograph of the BMP.
bool IsIdeograph(char32_t character);

// The character whose readings stand for this one: the character itself when Unihan gives it a
// Mandarin reading; otherwise its canonical decomposition, then its Z variants and its semantic
// variants, the first of them that has a reading. 0 when none has.
char32_t ReadingSource(const UnihanData& data, char32_t character);

// The Mandarin readings of the reading source, most preferred first, each once: kMandarin (the
// customary reading, mainland first), then kHanyuPinlu by frequency in modern texts, then
// kTGHZ2013, kXHC1983 and kHanyuPinyin in their own order.
std::vector<std::u16string> CandidateReadings(const UnihanData& data, char32_t character);

// The readings that the standard dictionary of modern Chinese (kTGHZ2013) gives the reading
// source; for a character that it does not hold, the readings that it gives the character's
// simplified forms. Empty when it has none.
std::vector<std::u16string> StandardReadings(const UnihanData& data, char32_t character);

// The reading shown for the character: the first candidate that code page 936 can encode and
// that the standard readings list, or the first encodable candidate when the standard lists
// none of them (or nothing at all). Nothing when no candidate is encodable.
std::optional<std::u16string> PreferredReading(const UnihanData& data, char32_t character);

// Readings chosen by hand for characters whose customary reading is not the one most common in
// modern written Chinese, by character.
using ReadingChoices = std::map<char32_t, std::u16string>;

// Reads the list of choices: one per line, "character<TAB>reading<TAB>reason"; blank lines and
// lines starting with # are skipped. Throws std::runtime_error naming the line of a malformed one.
ReadingChoices ParseReadingChoices(std::string_view text);

struct DictionaryBuild {
    std::vector<DictionaryRecord> records;
    // Ideographs that code page 936 encodes but that have no encodable reading, so no row.
    std::vector<char32_t> withoutReading;
};

// The dictionary's rows. Column 2 holds the first traditional or simplified counterpart that
// code page 936 encodes and whose lookup the row cannot take over: one without a row of its own,
// one with the same reading, or one whose own row comes earlier. Otherwise it repeats column 1.
// A character with a choice takes that reading, which must be one of its candidate readings
// (std::runtime_error otherwise).
DictionaryBuild BuildDictionary(const UnihanData& data, const ReadingChoices& choices = {});

}  // namespace sorvani
