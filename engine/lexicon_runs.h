#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace sorvani {

// Where the lexicon's units (IsLexiconUnit) lie in a text: a bit for each unit, made sixteen
// units at a time. Prose changes between Han characters and other units every few units, so the
// runs are found by counting bits, where a search for each end of each run cost a call and its
// setup for a few units.
class LexiconUnitMap {
  public:
    explicit LexiconUnitMap(std::u16string_view text);

    // The first place from `from` on whose unit is a lexicon unit when `wanted` is true, or is
    // none when it is false; the text's size when no such place follows.
    size_t Find(size_t from, bool wanted) const {
        const uint64_t flip = wanted ? 0 : ~uint64_t{0};
        for (size_t word = from / 64; word < bits_.size(); ++word) {
            uint64_t bits = bits_[word] ^ flip;
            if (word == from / 64) bits &= ~uint64_t{0} << (from % 64);
            if (bits != 0)
                return std::min(size_, word * 64 + static_cast<size_t>(std::countr_zero(bits)));
        }
        return size_;
    }

  private:
    std::vector<uint64_t> bits_;
    size_t size_;
};

}  // namespace sorvani
