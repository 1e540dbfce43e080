#pragma once

#include <cstdint>
#include <string_view>

namespace sorvani {

// Measures how wide a character line is drawn, in twips.
class Ruler {
  public:
    virtual ~Ruler() = default;
    virtual int64_t Width(std::u16string_view line) = 0;
};

}  // namespace sorvani
