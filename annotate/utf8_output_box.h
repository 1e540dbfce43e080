#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "output_box.h"

namespace sorvani::annotate {

// An output box that passes its text on as UTF-8 while it grows, so that the annotated text is
// never held whole. A second thread encodes and writes each filled buffer while the layout fills
// the next, so that the two overlap. Appended texts are whole characters, as the layout appends
// them. A failure to pass bytes on is kept and thrown by Flush, where it cannot be taken for a
// failure of the layout.
class Utf8OutputBox final : public OutputBox {
  public:
    using Writer = std::function<void(std::string_view bytes)>;

    explicit Utf8OutputBox(Writer write);
    ~Utf8OutputBox() override;

    // Drops what has not been handed over yet; the run clears the box before it appends anything.
    void Clear() override { filling_.clear(); }
    void Append(std::u16string_view text) override;
    // Passes on what is left and waits for it; throws the first failure to pass bytes on.
    void Flush();

  private:
    // Gives the filled buffer to the writing thread, once it has finished the one before.
    void HandOver();
    void WriteHandedOver();
    void Stop();

    Writer write_;
    std::u16string filling_;
    std::u16string handedOver_;
    std::string bytes_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool pending_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::thread writer_;
};

}  // namespace sorvani::annotate
