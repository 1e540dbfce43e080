#include "annotated_pair_reader.h"

#include <algorithm>

#include "character_width.h"
#include "utf16.h"

namespace sorvani {
namespace {

// Spaces from `position` on, which it moves past.
size_t SkipSpaces(std::u16string_view line, size_t& position) {
    const size_t start = position;
    while (position < line.size() && line[position] == u' ') ++position;
    return position - start;
}

}  // namespace

bool ReadAnnotatedPair(std::u16string_view pinyin, std::u16string_view characters,
                       std::vector<AnnotatedCell>& cells) {
    cells.clear();
    size_t p = 0, c = 0, pinyinColumn = 0, characterColumn = 0;
    while (true) {
        characterColumn += SkipSpaces(characters, c);
        const size_t spaces = SkipSpaces(pinyin, p);
        pinyinColumn += spaces;
        if (c == characters.size()) return p == pinyin.size();
        if (p == pinyin.size() || pinyinColumn != characterColumn) return false;

        const char32_t base = utf16::CharacterAt(characters, c);
        const size_t baseLength = utf16::CharacterLength(characters, c);
        const size_t end = c + ClusterLength(characters, c);
        const size_t entryEnd = std::min(pinyin.find(u' ', p), pinyin.size());

        AnnotatedCell cell;
        cell.character = characters.substr(c, end - c);
        cell.entry = pinyin.substr(p, entryEnd - p);
        // Each entry is followed by a space; a space of the text stands as two more.
        cell.textSpacesBefore = (cells.empty() ? spaces : spaces - 1) / 2;
        const bool itself = cell.entry == characters.substr(c, baseLength);
        cell.annotated = !itself && cell.entry != u"?";
        cells.push_back(cell);

        const size_t columns = static_cast<size_t>(CharacterColumns(base));
        pinyinColumn += itself ? columns : cell.entry.size();
        characterColumn += columns;
        p = entryEnd;
        c = end;
    }
}

}  // namespace sorvani
