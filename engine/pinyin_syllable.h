#pragma once

#include <string>
#include <string_view>

// Tones of pinyin syllables written with tone marks.
namespace sorvani {

// The syllable with its tone marks taken off: "lǜ" gives "lü", "ń" gives "n".
std::u16string WithoutToneMarks(std::u16string_view syllable);

// The tone that the syllable's mark shows, 1 to 4; 0 for a syllable without a mark (the neutral
// tone, or no pinyin at all).
int ToneOf(std::u16string_view syllable);

}  // namespace sorvani
