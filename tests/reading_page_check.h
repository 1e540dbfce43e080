// Checks the reading layout's pages as a viewer finds their words (pdftotext's word boxes):
// every syllable centred over its character, no two syllables touching, no line that starts with
// closing punctuation, a number on every page.
#pragma once

#include <QStringList>
#include <vector>

#include "page_alignment.h"

namespace sorvani::testing_pages {

struct Checked {
    int pages = 0, numbered = 0, characterRows = 0, syllables = 0, centred = 0, overlaps = 0,
        badStarts = 0;
    double worst = 0;
    QStringList problems;  // the first few, for the failure message
};

// The words of pages whose characters are `size` points large.
Checked CheckReadingPages(const std::vector<Word>& words, double size);

}  // namespace sorvani::testing_pages
