#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Windows code page 936 (GBK), the character set the dictionary and the layout count in.
namespace sorvani::cp936 {

// The code of the character for unencodable characters: "?".
inline constexpr int16_t kUnencodable = 63;

// The signed 16-bit code of a UTF-16 unit: 0 to 255 for a single-byte character,
// lead * 256 + trail (negative) for a double-byte one, 63 when the code page has none.
// Surrogate halves have no code.
int16_t CodeOf(char16_t unit);

// The character whose code is the given one, taken as a byte when 0 to 255 and as a 16-bit
// double-byte code otherwise (so -20319 and 45217 are the same). Nothing when there is none:
// a code outside -32768 to 65535, a lone lead byte, or an unassigned position.
std::optional<char16_t> CharacterOf(int32_t code);

// Bytes the character takes in the code page: 2 for a double-byte character, else 1
// (an unencodable character is written as the single byte "?").
int ByteLength(char16_t unit);

// The bytes of a text in the code page; unencodable characters become "?".
std::string Encode(std::u16string_view text);

// A byte string in the code page as UTF-16; a byte sequence with no character becomes U+FFFD.
std::u16string Decode(std::string_view bytes);

// Decodes bytes in the code page onto `text`, as Decode does, and returns how many it used: all,
// unless the bytes are not the `last` of a text and end with a lead byte whose partner may follow.
size_t Decode(std::string_view bytes, bool last, std::u16string& text);

}  // namespace sorvani::cp936
