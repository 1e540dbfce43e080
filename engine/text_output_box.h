#pragma once

#include <string>
#include <utility>

#include "output_box.h"

namespace sorvani {

// An output box that holds its text in memory. Appending costs only the appended text, so a long
// run stays linear in time.
class TextOutputBox final : public OutputBox {
  public:
    void Clear() override { text_.clear(); }
    void Append(std::u16string_view text) override { text_.append(text); }

    const std::u16string& Text() const { return text_; }
    // The whole text; the box is empty afterwards.
    std::u16string TakeText() { return std::exchange(text_, {}); }

  private:
    std::u16string text_;
};

}  // namespace sorvani
