#pragma once

#include <cstdint>

#include "reading_choices.h"

namespace sorvani::documents {

// The page an exported document is laid out for, in twips. The widest line the layout makes is
// 80 half-width columns plus the longest entry that crossed that width (a six-letter syllable and
// its space: 87 columns). At 10 points a half-width column is 5 points, 100 twips, a width every
// reader keeps exact (at 10.5 points LibreOffice rounds the columns apart by up to 0.4 points
// along a line; at 12 the widest line no longer fits). 87 columns take 8700 twips; margins of
// 2 cm left and right leave 9638 twips on A4, and more on Letter.
struct PrintedPage {
    enum class Paper { A4, Letter };

    // Pages are painted in twips.
    static constexpr int kTwipsPerInch = 1440;
    static constexpr int kHalfPoints = 20;
    static constexpr int kColumnTwips = kHalfPoints * 10 / 2;
    static constexpr int kWidestLineColumns = 87;
    static constexpr int kSideMargin = 1134;
    static constexpr int kTopMargin = 1440;
    static constexpr int kBottomMargin = 1440;

    constexpr PrintedPage() = default;
    // NOLINTNEXTLINE(google-explicit-constructor): a paper is a page with the usual choices
    constexpr PrintedPage(Paper paper, ReadingChoices choices = {})
        : paper(paper), choices(choices) {}

    Paper paper = Paper::A4;
    // The reading layout's choices, and whether the box's columns are copied instead.
    ReadingChoices choices;

    constexpr int Width() const { return paper == Paper::A4 ? 11906 : 12240; }
    constexpr int Height() const { return paper == Paper::A4 ? 16838 : 15840; }
    constexpr int TextWidth() const { return Width() - 2 * kSideMargin; }
    constexpr int TextHeight() const { return Height() - kTopMargin - kBottomMargin; }
};

static_assert(PrintedPage::kWidestLineColumns * PrintedPage::kColumnTwips <
              PrintedPage{}.TextWidth());

}  // namespace sorvani::documents
