#include "utf8_output_box.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "utf16.h"

namespace sorvani::annotate {
namespace {

// Bytes gathered before they are passed on.
constexpr size_t kBufferBytes = 1 << 16;
// At most 3 bytes for each UTF-16 unit.
constexpr size_t kPieceUnits = kBufferBytes / 3;

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

Utf8OutputBox::Utf8OutputBox(Writer write)
    : write_(std::move(write)), buffer_(kBufferBytes, '\0') {}

void Utf8OutputBox::Append(std::u16string_view text) {
    while (!text.empty()) {
        size_t length = std::min(kPieceUnits, text.size());
        if (length < text.size() && utf16::IsHighSurrogate(text[length - 1])) --length;
        if (used_ + 3 * length > kBufferBytes) PassOn();
        char* const start = buffer_.data();
        used_ = static_cast<size_t>(Encode(text.substr(0, length), start + used_) - start);
        text.remove_prefix(length);
    }
}

void Utf8OutputBox::PassOn() {
    if (used_ > 0 && !failure_) {
        try {
            write_(std::string_view(buffer_.data(), used_));
        } catch (...) {
            failure_ = std::current_exception();
        }
    }
    used_ = 0;
}

void Utf8OutputBox::Flush() {
    PassOn();
    if (failure_) std::rethrow_exception(failure_);
}

}  // namespace sorvani::annotate
