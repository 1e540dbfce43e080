#pragma once

#include <cstdint>
#include <string>

#include "pinyin_dictionary.h"

namespace sorvani {

// Tone flag values: -1 asks for tone marks, anything else for none.
inline constexpr int16_t kWithTones = -1;
inline constexpr int16_t kWithoutTones = 0;

// The text for the pinyin line above the character with the given code page 936 code: for a
// double-byte character held in the dictionary, its syllable (column 3 with kWithTones, column 4
// otherwise) with the first letter capitalised and the rest in small letters; for any other
// character, the character itself ("?" when the code has no character).
// Throws AnnotationFailure when the selected syllable cell is empty.
std::u16string LookupPinyin(const PinyinDictionary& dictionary, int32_t code, int16_t toneFlag);

}  // namespace sorvani
