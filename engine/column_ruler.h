#pragma once

#include <string>

#include "ruler.h"

namespace sorvani {

// Measures a line as the 15-point SimSun label draws it at 96 dots per inch: 150 twips for each
// column, a column for each byte of a character in code page 936. A character the code page
// cannot encode takes the columns it is drawn in (see CharacterColumns). Needs no fonts.
class ColumnRuler final : public Ruler {
  public:
    static constexpr int64_t kTwipsPerColumn = 150;

    // A line that starts with the line measured last costs only the units after it: the layout
    // measures its growing line after every character.
    int64_t Width(std::u16string_view line) override;

  private:
    std::u16string measured_;
    int64_t measuredColumns_ = 0;
};

}  // namespace sorvani
