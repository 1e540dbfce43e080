#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon.h"
#include "particle_rules.h"
#include "pinyin_dictionary.h"
#include "word_table.h"

namespace sorvani {

// Chooses a character's syllable from its context where the dictionary's one reading is wrong.
// With words, each run of Han characters is cut into its likeliest words by the lexicon (the
// path of least cost through every word the run holds), the characters of a word take the
// syllables of the word table's words inside it, and a few particles take the reading their
// part of speech calls for (ParticleRules). With the tone change on, 一 and 不 take the tone
// that the next syllable calls for (一定 yídìng, 一起 yìqǐ, 不是 búshì). Every other character
// keeps the dictionary's reading.
//
// It works on a window of the text and decides a prefix of it, so that a text can be read as a
// stream: a run is cut into pieces of at most kLongestPiece units, each decided whole, so a
// decision never needs more than Lookahead() units past its own position, nor more than one
// unit before it.
class ReadingChooser {
  public:
    // words may be null: then only the user's words and the tone change are read. The lexicon
    // cuts the text into words; without one, the word table's words alone do. The user's words
    // win over everything else wherever they stand. All must outlive the chooser.
    ReadingChooser(const WordTable* words, const PinyinDictionary& dictionary, bool toneChange,
                   const Lexicon* lexicon = nullptr, const WordTable* userWords = nullptr);

    static constexpr size_t kLongestPiece = Lexicon::kLongestCut;

    // Units at the end of a window that Decide may leave undecided: a piece that may go on
    // past the window, or 一 or 不 before the next unit.
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
    // Whether runs of Han characters are decided a piece at a time, for the words in them.
    bool CutsPieces() const { return words_ || userWords_; }
    SyllableId IdOf(std::u16string_view syllable);
    // The syllable, with tone marks, that the unit has so far; empty when none.
    std::u16string_view Reading(char16_t unit, SyllableId chosen) const;
    // The tone change of the unit at `at`, in a span that starts at `from`.
    void ChangeTone(std::u16string_view window, size_t from, size_t at, SyllableId next,
                    SyllableId& chosen) const;
    // The tone change of 一 and 不 in window[from, to), whose syllables ids holds.
    void ChangeTones(std::u16string_view window, size_t from, size_t to,
                     std::span<SyllableId> ids) const {
        if (toneChange_) ChangeTonesIn(window, from, to, ids);
    }
    void ChangeTonesIn(std::u16string_view window, size_t from, size_t to,
                       std::span<SyllableId> ids) const;
    // Whether the piece holds a word of the word table or of the user's, or a particle where a
    // rule may read it: elsewhere every cut reads the same.
    bool Decides(std::u16string_view piece) const;
    // Gives the user's words in the piece their syllables, the longest from the left.
    void ApplyUserWords(std::u16string_view piece, std::span<SyllableId> ids) const;
    // Cuts window[from, to) into words and gives their characters their syllables.
    void DecidePiece(std::u16string_view window, size_t from, size_t to,
                     std::span<SyllableId> ids) const;

    const WordTable* words_;
    const PinyinDictionary& dictionary_;
    bool toneChange_;
    // The word table's words as a lexicon, when none is given; none at all otherwise, as even an
    // empty lexicon has tables of a few hundred KB to clear.
    std::optional<Lexicon> ownLexicon_;
    const Lexicon* lexicon_ = nullptr;
    const WordTable* userWords_;
    // The chooser's number of each syllable of the user's words.
    std::vector<SyllableId> userIds_;
    size_t lookahead_;
    // Syllable n is syllables_[n - 1]: the word table's, then those of the rules.
    std::vector<std::u16string> syllables_;
    std::vector<std::u16string> shownWithTones_, shownWithout_;
    SyllableId yi2_, yi4_, bu2_;
    ParticleRules particles_;
};

}  // namespace sorvani
