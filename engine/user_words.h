#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "word_table.h"

namespace sorvani {

// The user's own readings: a UTF-8 list of lines "word<TAB>syllables", the syllables separated
// by spaces, with tone marks (shàn) or tone numbers (shan4, lv4 or lü4; 5 or none for the
// neutral tone); blank lines and lines starting with # are skipped.
struct UserWords {
    // A line left out, and why.
    struct Problem {
        enum class Kind { NotUtf8, NoTab, NotAWord, NotPinyin, SyllableCount };
        size_t line;  // from 1
        Kind kind;
        size_t characters = 0, syllables = 0;  // of a SyllableCount
        // "line N: why".
        std::string Text() const;
    };

    std::vector<WordTable::Word> words;  // sorted by text, unique (a later line wins)
    std::vector<Problem> problems;
};

UserWords ParseUserWords(std::string_view text);

// The syllable in small letters with its tone mark, from tone marks or a tone number; empty when
// it is no pinyin syllable.
std::u16string ToneMarked(std::u16string_view syllable);

}  // namespace sorvani
