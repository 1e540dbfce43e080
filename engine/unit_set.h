#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace sorvani {

// A set of UTF-16 units with a bit for each, built at compile time: asked about at every unit of
// a text, where a search of a list, or a switch, costs a mispredicted branch at most units.
class UnitSet {
  public:
    constexpr explicit UnitSet(std::u16string_view units) {
        for (const char16_t unit : units) bits_[unit / 64] |= uint64_t{1} << (unit % 64);
    }
    constexpr bool Has(char16_t unit) const { return (bits_[unit / 64] >> (unit % 64)) & 1; }

  private:
    std::array<uint64_t, 0x10000 / 64> bits_{};
};

}  // namespace sorvani
