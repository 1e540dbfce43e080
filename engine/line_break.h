#pragma once

namespace sorvani::text {

// What ends a line of text, for the decoder, the window's text and every writer alike: CR, LF
// (CR LF is one break), and the Unicode line and paragraph separators, which a text document
// takes for breaks too.
constexpr bool IsLineBreak(char16_t unit) {
    return unit == u'\r' || unit == u'\n' || unit == 0x2028 || unit == 0x2029;
}

// Reads the line breaks of a text unit by unit, the pieces of a text one after another: CR LF is
// one break, also when a piece ends between the two. The one splitter of lines: the decoder, the
// box's text and the exports read their lines with it.
class LineBreakReader {
  public:
    // What a unit is to the lines: text, a line break, or the LF that completes a CR LF break.
    enum class Unit { Text, Break, RestOfBreak };

    constexpr Unit Read(char16_t unit) {
        const bool restOfBreak = unit == u'\n' && afterCr_;
        afterCr_ = unit == u'\r';
        if (restOfBreak) return Unit::RestOfBreak;
        return IsLineBreak(unit) ? Unit::Break : Unit::Text;
    }
    // A unit the caller already knows to be text, read at less cost.
    constexpr void ReadText() { afterCr_ = false; }

  private:
    bool afterCr_ = false;
};

// Noncharacters are never text (a text document uses U+FDD0 and U+FDD1 as its own frame marks
// and breaks lines there): a file's are read as U+FFFD.
constexpr bool IsNoncharacter(char16_t unit) {
    return (unit >= 0xFDD0 && unit <= 0xFDEF) || unit >= 0xFFFE;
}

}  // namespace sorvani::text
