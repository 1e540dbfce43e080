#pragma once

#include <string_view>
#include <vector>

namespace sorvani {

// A character of an annotated character line with the entry that stands over it.
struct AnnotatedCell {
    // The character with the marks that join it.
    std::u16string_view character;
    // Its entry on the pinyin line: a syllable, the character itself, or "?".
    std::u16string_view entry;
    // Spaces of the text before the character on its line.
    size_t textSpacesBefore = 0;
    // The entry is a syllable: neither the character itself nor "?".
    bool annotated = false;
};

// Reads a pinyin line and the character line below it back into their characters, each with the
// entry that starts in its column (a syllable's letters take a column each, a character its own
// columns). False, with `cells` unspecified, when the two lines are no such pair: an entry
// missing, left over, or out of its character's column.
bool ReadAnnotatedPair(std::u16string_view pinyin, std::u16string_view characters,
                       std::vector<AnnotatedCell>& cells);

}  // namespace sorvani
