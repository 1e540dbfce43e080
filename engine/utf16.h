#pragma once

#include <cstddef>
#include <string_view>

// Characters of UTF-16 text: a surrogate pair is one character, a lone surrogate half is one.
namespace sorvani::utf16 {

inline bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
inline bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

inline char32_t CodePoint(char16_t high, char16_t low) {
    return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (low - 0xDC00);
}

// Units of the character that starts at the given position: 2 for a surrogate pair, else 1.
inline size_t CharacterLength(std::u16string_view text, size_t position) {
    return IsHighSurrogate(text[position]) && position + 1 < text.size() &&
                   IsLowSurrogate(text[position + 1])
               ? 2
               : 1;
}

// The character that starts at the given position (a lone surrogate half as itself).
inline char32_t CharacterAt(std::u16string_view text, size_t position) {
    return CharacterLength(text, position) == 2 ? CodePoint(text[position], text[position + 1])
                                                : text[position];
}

}  // namespace sorvani::utf16
