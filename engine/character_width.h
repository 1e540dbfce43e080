#pragma once

#include <cstddef>
#include <string_view>

namespace sorvani {

// Columns a character takes on a character line, as the layout counts them: for a character of
// code page 936 its bytes there (1 or 2); for any other, 2 when it is drawn wide (East Asian Wide
// or Fullwidth: emoji, CJK Extension B, Hangul), 0 for a combining mark or a variation selector,
// which join the character before them, and 1 otherwise.
int CharacterColumns(char32_t character);

// Columns a monospaced Chinese font draws a character in: 2 when it is East Asian Wide or
// Fullwidth, 0 for a combining mark or a variation selector, 1 otherwise (a letter with a tone
// mark too, which code page 936 holds in two bytes).
int FontColumns(char32_t character);

// A character outside code page 936 that joins the one before it and takes no column.
inline bool IsJoiningMark(char32_t character) { return CharacterColumns(character) == 0; }

// Units of the character at the position and the marks that follow and join it. A line end
// takes no marks: they start the next line.
size_t ClusterLength(std::u16string_view text, size_t position);

}  // namespace sorvani
