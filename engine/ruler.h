#pragma once

#include <cstdint>
#include <string_view>

namespace sorvani {

// Measures how wide the character line is drawn, in twips, as the hidden label does when its
// caption is set to the line.
class Ruler {
  public:
    virtual ~Ruler() = default;

    virtual int64_t Width(std::u16string_view line) = 0;
};

}  // namespace sorvani
