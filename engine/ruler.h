#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sorvani {

// Measures how wide the character line is drawn, in twips, as the hidden label does when its
// caption is set to the line.
class Ruler {
  public:
    virtual ~Ruler() = default;

    // `unchanged` is the number of units at the start of the line that are the same as the whole
    // line of the previous call, ending at a character boundary (0 when unknown). A ruler that
    // adds up character widths can measure just the rest; any other may ignore it.
    virtual int64_t Width(std::u16string_view line, size_t unchanged) = 0;
};

}  // namespace sorvani
