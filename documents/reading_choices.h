#pragma once

namespace sorvani::documents {

// How printed pages and web pages lay out an annotation: the reading layout sets each syllable,
// small, over its character at a readable size; the box layout copies the document box's columns.
struct ReadingChoices {
    enum class Layout { Reading, Box };
    static constexpr int kSmallestSize = 10;
    static constexpr int kLargestSize = 36;

    Layout layout = Layout::Reading;
    // The characters' size in points, 10 to 36; the syllables take about half.
    int size = 16;
    // Syllables as the annotation writes them (capitalised) instead of in small letters.
    bool capitals = false;
    // Each syllable in its tone's colour; the neutral tone stays plain.
    bool toneColours = false;
    // Each character in a square with dashed centre lines (田字格) and its syllable on four lines
    // (四线三格), as primary-school exercise books print them.
    bool grid = false;

    bool operator==(const ReadingChoices&) const = default;
};

}  // namespace sorvani::documents
