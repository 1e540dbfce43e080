#pragma once

#include "ruler.h"

namespace sorvani {

// Measures a line as the 15-point SimSun label draws it at 96 dots per inch: 150 twips for each
// byte of the line in code page 936. A character the code page cannot encode, one outside the
// Basic Multilingual Plane included, is written as "?" and so takes one byte. Needs no fonts.
class ColumnRuler final : public Ruler {
  public:
    static constexpr int64_t kTwipsPerByte = 150;

    int64_t Width(std::u16string_view line, size_t unchanged = 0) override;

  private:
    // The length and the bytes of the line measured last.
    size_t measuredLength_ = 0;
    int64_t measuredBytes_ = 0;
};

}  // namespace sorvani
