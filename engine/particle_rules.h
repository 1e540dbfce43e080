#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "lexicon.h"
#include "word_table.h"

namespace sorvani {

// A word of a piece of text as the lexicon cut it. Left uninitialised where it is made by the
// hundred: clearing arrays of them cost a fifth of the cutting.
struct PieceWord {
    uint32_t start, length;
    uint8_t tag;  // the lexicon's tag; Tags().size() for a character it does not hold
};

// Readings that the parts of speech around a word decide: the particles 地 and 得 after an
// adjective, adverb or verb (慢慢地走 de, 跑得快 de, 我得走 děi), 了 after 不 or 得 (受不了
// liǎo), 只 as a measure word (两只猫 zhī), 长 before 得 (长得高 zhǎng), and 为 at the end of a
// verb or adverb (变为, 尤为 wéi).
class ParticleRules {
  public:
    using IdOf = std::function<SyllableId(std::u16string_view)>;

    ParticleRules() = default;
    ParticleRules(const Lexicon& lexicon, const IdOf& idOf);

    // Whether the rules may give the unit a syllable.
    static bool MayDecide(char16_t unit) {
        return unit == u'地' || unit == u'得' || unit == u'了' || unit == u'为' || unit == u'只';
    }

    // Sets the syllables the rules decide; ids holds one per unit of the piece, 0 where nothing
    // was chosen yet.
    void Apply(std::u16string_view piece, std::span<const PieceWord> words,
               std::span<SyllableId> ids) const;

  private:
    enum Class : uint16_t {
        kVerb = 1,
        kAdjective = 2,
        kAdverb = 4,
        kIdiom = 8,  // idioms, set phrases and words of state (慢吞吞)
        kPronoun = 16,
        kNoun = 32,
        kNumeral = 64,
    };
    uint16_t ClassOf(const PieceWord& word) const { return classes_[word.tag]; }
    // The syllable of a single-character word from the words around it; 0 to keep it.
    SyllableId Particle(std::u16string_view piece, std::span<const PieceWord> words,
                        size_t k) const;

    std::array<uint16_t, 256> classes_{};
    SyllableId de_ = 0, dei3_ = 0, liao3_ = 0, wei2_ = 0, zhi1_ = 0, zhang3_ = 0;
};

}  // namespace sorvani
