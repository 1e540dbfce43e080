#pragma once

#include <QStringView>

#include "line_break.h"

namespace sorvani::documents {

// The text document's own marks of a frame's start and end, which part its paragraphs as a
// line break does.
constexpr bool IsFrameMark(char16_t unit) { return unit == 0xFDD0 || unit == 0xFDD1; }

// Calls `line` for each line of the text, as the page writers take them: parted where
// text::IsLineBreak says (CR LF is one break), with no empty line after a final line break.
template <typename LineFunction>
void ForEachLine(QStringView text, LineFunction&& line) {
    qsizetype start = 0;
    while (true) {
        qsizetype end = start;
        while (end < text.size() && !text::IsLineBreak(text[end].unicode())) ++end;
        line(text.sliced(start, end - start));
        if (end == text.size()) return;
        if (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ++end;
        start = end + 1;
        if (start == text.size()) return;
    }
}

}  // namespace sorvani::documents
