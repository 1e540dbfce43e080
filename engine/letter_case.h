#pragma once

// Simple (one-to-one) case mapping for the letters that code page 936 can hold: Latin with its
// tone-marked vowels, Greek, Cyrillic, Roman numerals and full-width Latin. Other characters
// map to themselves.
#include <string>
#include <string_view>

namespace sorvani {

char16_t ToUpper(char16_t ch);
char16_t ToLower(char16_t ch);

// The first character in upper case and the rest in lower case.
std::u16string Capitalised(std::u16string_view text);

}  // namespace sorvani
