#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pinyin_dictionary.h"
#include "word_table.h"

namespace sorvani {

// Chooses a character's syllable from its context where the dictionary's one reading is wrong:
// the characters of a word in the word table take the word's syllables (forward maximum
// matching: at each position the longest word that starts there), and with the tone change on,
// 一 and 不 take the tone that the next syllable calls for (一定 yídìng, 一起 yìqǐ, 不是
// búshì). Every other character keeps the dictionary's reading.
//
// It works on a window of the text and decides a prefix of it, so that a text can be read as a
// stream: a decision never needs more than Lookahead() units past its own position, nor more
// than one unit before it.
class ReadingChooser {
  public:
    // words may be null: then only the tone change is made. Both must outlive the chooser.
    ReadingChooser(const WordTable* words, const PinyinDictionary& dictionary, bool toneChange);

    // Units at the end of a window that Decide may leave undecided: a word that may go on past
    // the window, and with the tone change a word that ends in 一 or 不 and the next one.
    size_t Lookahead() const { return lookahead_; }

    // Decides the units of window from `start` on; the units before `start` were decided
    // earlier and are only context (keep at least one when there are any, and start where an
    // earlier call stopped). Writes one syllable per decided unit to `chosen` (replacing its
    // content): 0 keeps the dictionary's reading. With atEnd the window holds the rest of the
    // text and every unit is decided; otherwise the units whose choice could depend on text
    // past the window are left, never more than Lookahead(). Returns where the decided units
    // end.
    size_t Decide(std::u16string_view window, size_t start, bool atEnd,
                  std::vector<SyllableId>& chosen) const;

    // The whole text decided at once: one syllable per unit.
    std::vector<SyllableId> DecideAll(std::u16string_view text) const;

    // A chosen syllable in small letters with tone marks.
    std::u16string_view Syllable(SyllableId id) const { return syllables_[id - 1]; }

    // A chosen syllable as the lookup shows it: capitalised, with tone marks when toneFlag is
    // kWithTones, else without.
    const std::u16string& Shown(SyllableId id, int16_t toneFlag) const;

  private:
    SyllableId IdOf(std::u16string_view syllable);
    // The syllable, with tone marks, that the unit has so far; empty when none.
    std::u16string_view Reading(char16_t unit, SyllableId chosen) const;
    void ChangeTone(std::u16string_view window, size_t at, SyllableId next,
                    SyllableId& chosen) const;

    const WordTable* words_;
    const PinyinDictionary& dictionary_;
    bool toneChange_;
    size_t lookahead_;
    // Syllable n is syllables_[n - 1]: the word table's, then those of the tone change.
    std::vector<std::u16string> syllables_;
    std::vector<std::u16string> shownWithTones_, shownWithout_;
    SyllableId yi2_, yi4_, bu2_;
};

}  // namespace sorvani
