#include "utf8_output_box.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "utf16.h"

namespace sorvani::annotate {
namespace {

// UTF-16 units gathered before they are encoded and passed on; at most 3 bytes each.
constexpr size_t kBufferUnits = 1 << 16;

// Writes the UTF-8 form of the text at `out` (room for 3 bytes a unit) and returns the end. A lone
// surrogate half becomes U+FFFD.
char* Encode(std::u16string_view text, char* out) {
    static constexpr uint64_t kNonAscii = 0xFF80FF80FF80FF80;
    for (size_t i = 0; i < text.size(); ++i) {
        // Four ASCII units at once: the pinyin lines are mostly ASCII.
        uint64_t four;
        if (i + 4 <= text.size() &&
            (std::memcpy(&four, text.data() + i, sizeof four), (four & kNonAscii) == 0)) {
            out[0] = static_cast<char>(four), out[1] = static_cast<char>(four >> 16);
            out[2] = static_cast<char>(four >> 32), out[3] = static_cast<char>(four >> 48);
            out += 4, i += 3;
            continue;
        }
        char32_t cp = text[i];
        if (utf16::IsSurrogate(text[i])) {
            if (utf16::CharacterLength(text, i) == 1) {
                cp = 0xFFFD;
            } else {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
                *out++ = static_cast<char>(0xF0 | cp >> 18);
                *out++ = static_cast<char>(0x80 | (cp >> 12 & 0x3F));
                *out++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
                *out++ = static_cast<char>(0x80 | (cp & 0x3F));
                continue;
            }
        }
        if (cp < 0x80) {
            *out++ = static_cast<char>(cp);
        } else if (cp < 0x800) {
            *out++ = static_cast<char>(0xC0 | cp >> 6);
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            *out++ = static_cast<char>(0xE0 | cp >> 12);
            *out++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

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
                    static_cast<size_t>(Encode(handedOver_, bytes_.data()) - bytes_.data())));
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
