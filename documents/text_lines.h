#pragma once

#include "line_break.h"

namespace sorvani::documents {

// The text document's own marks of a frame's start and end, which part its paragraphs as a
// line break does.
constexpr bool IsFrameMark(char16_t unit) { return unit == 0xFDD0 || unit == 0xFDD1; }

// Reads the lines of a text as a text document parts it into paragraphs
// (QTextDocument::setPlainText): at every line break (text::LineBreakReader) and at its own frame
// marks.
class DocumentLineReader {
  public:
    using Unit = text::LineBreakReader::Unit;

    constexpr Unit Read(char16_t unit) {
        const Unit read = lines_.Read(unit);
        return read == Unit::Text && IsFrameMark(unit) ? Unit::Break : read;
    }

  private:
    text::LineBreakReader lines_;
};

}  // namespace sorvani::documents
