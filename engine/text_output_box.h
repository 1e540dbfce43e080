#pragma once

#include <utility>

#include "output_box.h"

namespace sorvani {

// An output box that holds its text in memory. Appending costs only the appended text, so a long
// run stays linear in time.
class TextOutputBox final : public OutputBox {
  public:
    // The expected final length lets a large run grow without copying; it is only a hint.
    explicit TextOutputBox(size_t expectedLength = 0) { text_.reserve(expectedLength); }

    void Clear() override { text_.clear(); }
    void Append(std::u16string_view text) override { text_.append(text); }
    std::u16string TakeText() override { return std::exchange(text_, {}); }

  private:
    std::u16string text_;
};

}  // namespace sorvani
