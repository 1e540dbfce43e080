#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "output_box.h"

namespace sorvani::annotate {

// An output box that passes its text on as UTF-8 while it grows, so that the annotated text is
// never held whole. Appended texts are whole characters, as the layout appends them. A failure to
// pass bytes on is kept and thrown by Flush, where it cannot be taken for a failure of the layout.
class Utf8OutputBox final : public OutputBox {
  public:
    using Writer = std::function<void(std::string_view bytes)>;

    explicit Utf8OutputBox(Writer write);

    // Drops what has not been passed on yet; the run clears the box before it appends anything.
    void Clear() override { used_ = 0; }
    void Append(std::u16string_view text) override;
    // Passes on what is left; throws the first failure to pass bytes on.
    void Flush();

  private:
    void PassOn();

    Writer write_;
    // Bytes not passed on yet: the first used_ of buffer_.
    std::string buffer_;
    size_t used_ = 0;
    std::exception_ptr failure_;
};

}  // namespace sorvani::annotate
