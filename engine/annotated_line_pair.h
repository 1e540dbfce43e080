#pragma once

#include <string>

namespace sorvani {

// The open lines of the annotated text, carried from one chunk of a run to the next.
struct AnnotatedLinePair {
    // Pairs completed by a wrap since the last flush (pinyin line, CR LF, character line, CR LF),
    // then the pinyin line under construction.
    std::u16string PinyinBuffer;
    // The character line under construction; never holds a line break.
    std::u16string CharLine;

    void Clear() {
        PinyinBuffer.clear();
        CharLine.clear();
    }
};

}  // namespace sorvani
