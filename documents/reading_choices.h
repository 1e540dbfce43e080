#pragma once

namespace sorvani::documents {

// How printed pages and web pages lay out an annotation: the reading layout sets each syllable,
// small, over its character at a readable size; the box layout copies the document box's columns.
struct ReadingChoices {
    enum class Layout { Reading, Box };

    Layout layout = Layout::Reading;
    // The characters' size in points, 10 to 36; the syllables take about half.
    int size = 16;
    // Syllables as the annotation writes them (capitalised) instead of in small letters.
    bool capitals = false;
    // Each syllable in its tone's colour; the neutral tone stays plain.
    bool toneColours = false;
};

}  // namespace sorvani::documents
