#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "annotated_line_pair.h"
#include "annotation_failure.h"
#include "character_width.h"
#include "output_box.h"
#include "pinyin_memo.h"
#include "reading_chooser.h"
#include "ruler.h"

namespace sorvani {

// A character line wider than this, in twips, is wrapped: 80 half-width columns.
inline constexpr int64_t kWrapWidth = 12000;

// What the layout works with besides the text and its open lines.
struct LayoutTools {
    PinyinMemo& pinyin;
    Ruler& ruler;
    OutputBox& output;
    // Gives the syllables that the run chose by context; none when readings are not chosen.
    const ReadingChooser* chooser = nullptr;
};

// What the layout puts on its lines for one character and the marks that join it.
struct Placing {
    // The character ends the line: the open pair goes to the output box instead.
    bool lineEnd = false;
    // For the pinyin line: the syllable and a space; nothing for marks that stand alone.
    std::u16string pinyin;
    // For the character line: the character, its marks and the spacing that keeps the lines
    // aligned.
    std::u16string spelling;
};
// Pinyin and spacing for a character that shows this syllable.
Placing Spelled(std::u16string_view character, bool wide, std::u16string_view pinyin);
// `chosen`, when given, is the syllable chosen by context, shown instead of the dictionary's over
// a wide character.
Placing PlacingOf(std::u16string_view character, PinyinMemo& pinyin, int16_t toneFlag,
                  const std::u16string* chosen = nullptr);

// Lays out a chunk of text as pinyin lines over character lines. Each character's pinyin, then a
// space, goes on the open pinyin line; the character, then as many spaces as keep the two lines
// aligned, on the open character line. A CR or LF appends the open pair to the output box; a
// character line wider than kWrapWidth is wrapped after the character that made it too wide. When
// `remaining` (characters of the document after this chunk) is 0, the open pair is appended too,
// each line followed by CR LF. Otherwise the open lines wait in `pair` for the next chunk.
//
// A character outside the Basic Multilingual Plane is one character with the pinyin "?"; a lone
// surrogate half is placed as U+FFFD.
//
// `chosen`, when not empty, holds one syllable of tools.chooser per unit of the text: a wide
// character with a syllable other than 0 shows that syllable instead of the dictionary's.
//
// Throws AnnotationFailure (an empty pinyin cell in the dictionary) at the character that cannot
// be placed: the rest of the chunk is skipped, the pair keeps its state and no final flush is made.
void LayoutAnnotatedText(std::u16string_view text, int64_t remaining, int16_t toneFlag,
                         AnnotatedLinePair& pair, const LayoutTools& tools,
                         std::span<const SyllableId> chosen = {});

}  // namespace sorvani
