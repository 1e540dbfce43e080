#pragma once

#include <QColor>
#include <QString>
#include <algorithm>

#include "font_names.h"
#include "reading_choices.h"

namespace sorvani::documents {

// The measures the reading layout shares between printed pages and web pages, in points.

// Syllables at half the characters' size, but never below what a reader can still read.
inline double SyllablePoints(const ReadingChoices& choices) {
    return std::max(choices.size / 2.0, 7.0);
}
// Between neighbouring cells, so that two syllables never touch: a fifth of a character.
inline double CellGap(const ReadingChoices& choices) { return choices.size * 0.2; }
// What a space of the text adds.
inline double ReadingSpace(const ReadingChoices& choices) { return choices.size * 0.3; }
// Below a line pair, and below the last of a paragraph once more.
inline double PairSpace(const ReadingChoices& choices) { return choices.size * 0.5; }
inline double ParagraphSpace(const ReadingChoices& choices) { return choices.size * 0.8; }

// A syllable's colour for its tone (1 to 4) when tone colours are chosen; black otherwise and for
// the neutral tone.
QColor ToneColour(const ReadingChoices& choices, int tone);
// The same as a CSS colour, "#rrggbb".
QString ToneColourName(int tone);

}  // namespace sorvani::documents
