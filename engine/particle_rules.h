#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "lexicon.h"
#include "unit_set.h"
#include "word_table.h"

namespace sorvani {

// Readings that the parts of speech around a word decide: the particles 地 and 得 after an
// adjective, adverb or verb (慢慢地走 de, 跑得快 de, 我得走 děi), 了 and 着 after 不 or 得 (受不了
// liǎo, 摸不着 zháo), 只, 行 and 重 after a numeral (两只猫 zhī, 三行 háng, 九重 chóng), 长
// before 得 (长得高 zhǎng), 为 at the end of a verb or adverb (变为, 尤为 wéi), 还 that ends a
// clause (借了不还 huán), 重 before a verb (重写 chóng), 干 after a verb of drying or a degree
// (擦干, 很干 gān), 种 before the sign of a finished act (种下, 种了 zhòng), and the 儿 of erhua
// (一点儿 r). 便, 少, 都 and 和 read otherwise only inside words, which the word table reads.
class ParticleRules {
  public:
    using IdOf = std::function<SyllableId(std::u16string_view)>;

    ParticleRules() = default;
    ParticleRules(const Lexicon& lexicon, const IdOf& idOf);

    // Whether the rules may give the unit a syllable.
    static bool MayDecide(char16_t unit) { return kMayDecide.Has(unit); }
    // Whether they may give the unit at `at` of the piece one however the piece is cut, by the
    // units and the lexicon's words around it: most of the units MayDecide names stand where no
    // rule reads them (了 without 不 or 得 before it), and a piece is cut only for one that may.
    bool MayDecideAt(std::u16string_view piece, size_t at) const;

    // Sets the syllables the rules decide; ids holds one per unit of the piece, 0 where nothing
    // was chosen yet.
    void Apply(std::u16string_view piece, std::span<const PieceWord> words,
               std::span<SyllableId> ids) const;

  private:
    static constexpr UnitSet kMayDecide{u"地得了为只着还行重干种"};
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
    // The classes of the lexicon's words of at least `shortest` units that end at `end`, and of
    // those that start at `start`.
    uint16_t ClassesEndingAt(std::u16string_view piece, size_t end, size_t shortest = 1) const;
    uint16_t ClassesStartingAt(std::u16string_view piece, size_t start) const;
    // The syllable of a single-character word from the words around it; 0 to keep it.
    SyllableId Particle(std::u16string_view piece, std::span<const PieceWord> words,
                        size_t k) const;
    // Sets the syllables of a word of two or more characters that the words around it decide.
    void InWord(std::u16string_view piece, std::span<const PieceWord> words, size_t k,
                std::span<SyllableId> ids) const;

    const Lexicon* lexicon_ = nullptr;
    std::array<uint16_t, 256> classes_{};
    SyllableId de_ = 0, dei3_ = 0, liao3_ = 0, wei2_ = 0, zhi1_ = 0, zhang3_ = 0, zhao2_ = 0,
               huan2_ = 0, hang2_ = 0, chong2_ = 0, gan1_ = 0, zhong4_ = 0, er_ = 0, r_ = 0;
};

}  // namespace sorvani
