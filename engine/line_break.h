#pragma once

namespace sorvani::text {

// What ends a line of text, for the decoder, the window's text and every writer alike: CR, LF
// (CR LF is one break), and the Unicode line and paragraph separators, which a text document
// takes for breaks too.
constexpr bool IsLineBreak(char16_t unit) {
    return unit == u'\r' || unit == u'\n' || unit == 0x2028 || unit == 0x2029;
}

// Noncharacters are never text (a text document uses U+FDD0 and U+FDD1 as its own frame marks
// and breaks lines there): a file's are read as U+FFFD.
constexpr bool IsNoncharacter(char16_t unit) {
    return (unit >= 0xFDD0 && unit <= 0xFDEF) || unit >= 0xFFFE;
}

}  // namespace sorvani::text
