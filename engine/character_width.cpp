#include "character_width.h"

#include <algorithm>
#include <iterator>

#include "cp936.h"
#include "utf16.h"

namespace sorvani {
namespace {

struct CharacterRange {
    char32_t first;
    char32_t last;
};

#include "character_width_table.inc"

template <size_t N>
bool Holds(const CharacterRange (&ranges)[N], char32_t character) {
    const auto* range =
        std::upper_bound(std::begin(ranges), std::end(ranges), character,
                         [](char32_t c, const CharacterRange& r) { return c < r.first; });
    return range != std::begin(ranges) && character <= std::prev(range)->last;
}

}  // namespace

int CharacterColumns(char32_t character) {
    if (character < 0x10000) {
        const auto unit = static_cast<char16_t>(character);
        // "?" is its own code; any other character with that code is one the code page lacks.
        if (unit == u'?' || cp936::CodeOf(unit) != cp936::kUnencodable)
            return cp936::ByteLength(unit);
    }
    return FontColumns(character);
}

int FontColumns(char32_t character) {
    if (Holds(kWideRanges, character)) return 2;
    if (Holds(kMarkRanges, character)) return 0;
    return 1;
}

size_t ClusterLength(std::u16string_view text, size_t position) {
    size_t end = position + utf16::CharacterLength(text, position);
    if (text[position] == u'\r' || text[position] == u'\n') return end - position;
    while (end < text.size() && IsJoiningMark(utf16::CharacterAt(text, end)))
        end += utf16::CharacterLength(text, end);
    return end - position;
}

}  // namespace sorvani
