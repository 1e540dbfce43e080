#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sorvani {

// The UTF-16 form of UTF-8 bytes, or nothing when the bytes are not valid UTF-8 (overlong
// forms, surrogates and values past U+10FFFF included).
std::optional<std::u16string> DecodeUtf8(std::string_view bytes);

// The UTF-8 sequence at the start of some bytes.
struct Utf8Sequence {
    enum class Kind {
        Valid,
        // No character: its bytes (the longest start of a sequence, or one byte) stand for
        // one U+FFFD.
        Invalid,
        // The bytes end inside a sequence that could still be valid.
        Truncated,
    };
    Kind kind;
    size_t length;
    char32_t character;
};

// Reads the sequence at the start of non-empty bytes.
Utf8Sequence ReadUtf8Sequence(std::string_view bytes);

// Appends a character as one UTF-16 unit or a surrogate pair.
void AppendUtf16(std::u16string& text, char32_t character);

// Writes the UTF-8 form of UTF-16 text at `out`, which has room for 3 bytes a unit, and returns
// the end of what it wrote. A lone surrogate half becomes U+FFFD.
char* EncodeUtf8(std::u16string_view text, char* out);

// The UTF-8 form of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

// Decodes UTF-8 that arrives in pieces, which may end inside a sequence; the result does not
// depend on where they end. Bytes that are no character become U+FFFD.
class Utf8Decoder {
  public:
    // Appends the text of the next bytes, holding back a sequence that the piece cuts.
    void Decode(std::string_view bytes, std::u16string& text);
    // The bytes have ended: a sequence still held back, cut short, becomes U+FFFD.
    void Finish(std::u16string& text);

  private:
    std::string held_;
};

}  // namespace sorvani
