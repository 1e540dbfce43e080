#pragma once

#include <QStringView>

namespace sorvani::documents {

// Calls `line` for each line of the text, as the page writers take them: parted by CR LF, LF or
// CR, with no empty line after a final line break.
template <typename LineFunction>
void ForEachLine(QStringView text, LineFunction&& line) {
    qsizetype start = 0;
    while (true) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
        line(text.sliced(start, end - start));
        if (end == text.size()) return;
        if (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ++end;
        start = end + 1;
        if (start == text.size()) return;
    }
}

}  // namespace sorvani::documents
