#include "utf8_output_box.h"

#include <algorithm>

#include "utf16.h"
#include "utf8.h"

namespace sorvani::annotate {
namespace {

// UTF-16 units gathered before they are encoded and passed on; at most 3 bytes each.
constexpr size_t kBufferUnits = 1 << 16;

}  // namespace

Utf8OutputBox::Utf8OutputBox(Writer write) : write_(std::move(write)) {
    filling_.reserve(kBufferUnits);
    handedOver_.reserve(kBufferUnits);
    bytes_.resize(3 * kBufferUnits);
    writer_ = std::thread([this] { WriteHandedOver(); });
}

Utf8OutputBox::~Utf8OutputBox() { Stop(); }

void Utf8OutputBox::Append(std::u16string_view text) {
    while (filling_.size() + text.size() > kBufferUnits) {
        // Fill up the buffer, ending at a character boundary, and hand it over.
        size_t length = std::min(kBufferUnits - filling_.size(), text.size());
        if (length < text.size() && length > 0 && utf16::IsHighSurrogate(text[length - 1]))
            --length;
        filling_.append(text.substr(0, length));
        text.remove_prefix(length);
        HandOver();
    }
    filling_.append(text);
}

void Utf8OutputBox::HandOver() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !pending_; });
    std::swap(filling_, handedOver_);
    filling_.clear();
    pending_ = true;
    changed_.notify_all();
}

void Utf8OutputBox::WriteHandedOver() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_) return;
        lock.unlock();
        if (!failure_) {
            try {
                write_(std::string_view(
                    bytes_.data(),
                    static_cast<size_t>(EncodeUtf8(handedOver_, bytes_.data()) - bytes_.data())));
            } catch (...) {
                failure_ = std::current_exception();
            }
        }
        lock.lock();
        pending_ = false;
        changed_.notify_all();
    }
}

void Utf8OutputBox::Stop() {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !pending_; });
        stopping_ = true;
        changed_.notify_all();
    }
    if (writer_.joinable()) writer_.join();
}

void Utf8OutputBox::Flush() {
    if (!filling_.empty()) HandOver();
    Stop();
    if (failure_) std::rethrow_exception(failure_);
}

}  // namespace sorvani::annotate
