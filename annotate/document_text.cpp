#include "document_text.h"

#include <optional>

#include "cp936.h"

namespace sorvani::annotate {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsLineBreak(char16_t ch) { return ch == u'\r' || ch == u'\n'; }

// Collects units in a small block and appends it to the text when full, which is much cheaper
// than appending unit by unit.
class TextWriter {
  public:
    explicit TextWriter(size_t expectedLength) { text_.reserve(expectedLength); }

    void Put(char16_t unit) {
        if (used_ == kBlock) Drain();
        block_[used_++] = unit;
    }
    void PutLineBreak() {
        Put(u'\r');
        Put(u'\n');
    }
    std::u16string Take() {
        Drain();
        return std::move(text_);
    }

  private:
    static constexpr size_t kBlock = 4096;

    void Drain() {
        text_.append(block_, used_);
        used_ = 0;
    }

    std::u16string text_;
    char16_t block_[kBlock];
    size_t used_ = 0;
};

// The code point of the multi-byte sequence at `i`, which is advanced past it, or nothing when
// the sequence is not valid UTF-8 (overlong forms, surrogates and values past U+10FFFF included).
std::optional<char32_t> NextCodePoint(std::string_view bytes, size_t& i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    size_t extra;
    char32_t cp, minimum;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (bytes.size() - i <= extra) return std::nullopt;
    for (size_t k = 1; k <= extra; ++k) {
        const auto byte = static_cast<unsigned char>(bytes[i + k]);
        if ((byte & 0xC0) != 0x80) return std::nullopt;
        cp = cp << 6 | (byte & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    i += extra + 1;
    return cp;
}

// Valid UTF-8 as UTF-16 with every line break as CR LF, in one pass since the input may be large;
// nothing when the bytes are not valid UTF-8.
std::optional<std::u16string> DecodeUtf8Document(std::string_view bytes) {
    TextWriter out(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x80) {
            const auto cp = NextCodePoint(bytes, i);
            if (!cp) return std::nullopt;
            if (*cp < 0x10000) {
                out.Put(static_cast<char16_t>(*cp));
            } else {
                out.Put(static_cast<char16_t>(0xD800 + ((*cp - 0x10000) >> 10)));
                out.Put(static_cast<char16_t>(0xDC00 + ((*cp - 0x10000) & 0x3FF)));
            }
        } else if (IsLineBreak(byte)) {
            out.PutLineBreak();
            i += byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
        } else {
            out.Put(byte);
            ++i;
        }
    }
    return out.Take();
}

// Code page 936 text with every line break as CR LF.
std::u16string DecodeCodePage936Document(std::string_view bytes) {
    const std::u16string decoded = cp936::Decode(bytes);
    TextWriter out(decoded.size());
    for (size_t i = 0; i < decoded.size(); ++i) {
        if (!IsLineBreak(decoded[i])) {
            out.Put(decoded[i]);
            continue;
        }
        out.PutLineBreak();
        if (decoded[i] == u'\r' && i + 1 < decoded.size() && decoded[i + 1] == u'\n') ++i;
    }
    return out.Take();
}

}  // namespace

std::u16string DocumentText(std::string_view bytes) {
    const std::string_view body =
        bytes.starts_with(kByteOrderMark) ? bytes.substr(kByteOrderMark.size()) : bytes;
    if (auto text = DecodeUtf8Document(body)) return std::move(*text);
    return DecodeCodePage936Document(bytes);
}

}  // namespace sorvani::annotate
