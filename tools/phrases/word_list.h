#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pinyin_dictionary.h"
#include "unihan_data.h"
#include "word_table.h"

// The word table's source list, words.txt, and the checks that every entry passes before it is
// encoded.
namespace sorvani {

// Reads "word<TAB>syllable syllable ..." lines; blank lines and lines starting with # are
// skipped. Throws std::runtime_error naming the line of one that is not so.
std::vector<WordTable::Word> ParseWordList(std::string_view text);

// What is wrong with the entry, or nothing: every syllable must be one of its character's
// Mandarin readings in Unihan or the neutral-tone form of one, and at least one must differ from
// the reading that the dictionary gives the character alone.
std::optional<std::string> ProblemOf(const WordTable::Word& word, const UnihanData& data,
                                     const PinyinDictionary& dictionary);

}  // namespace sorvani
