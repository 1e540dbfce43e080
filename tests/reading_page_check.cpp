#include "reading_page_check.h"

#include <algorithm>
#include <cmath>

#include "reading_line_filler.h"

namespace sorvani::testing_pages {
namespace {

using namespace Qt::StringLiterals;
using documents::ClosesText;

double Centre(const Word& word) { return (word.left + word.right) / 2; }

// Words standing on one row: the same page and top.
std::vector<std::vector<Word>> Rows(std::vector<Word> words) {
    std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
        return a.page != b.page              ? a.page < b.page
               : std::abs(a.top - b.top) > 1 ? a.top < b.top
                                             : a.left < b.left;
    });
    std::vector<std::vector<Word>> rows;
    for (const Word& word : words) {
        if (rows.empty() || rows.back().front().page != word.page ||
            std::abs(rows.back().front().top - word.top) > 1)
            rows.emplace_back();
        rows.back().push_back(word);
    }
    return rows;
}

}  // namespace

Checked CheckReadingPages(const std::vector<Word>& words, double size) {
    Checked checked;
    auto problem = [&](const QString& what) {
        if (checked.problems.size() < 5) checked.problems << what;
    };
    std::vector<Word> characters, syllables;
    for (const Word& word : words) {
        checked.pages = std::max(checked.pages, word.page + 1);
        // Page numbers stand alone at the foot of the page, in small figures.
        if (word.text == QString::number(word.page + 1) && word.top > 700) {
            ++checked.numbered;
            continue;
        }
        ((word.bottom - word.top) > size * 0.8 ? characters : syllables).push_back(word);
    }
    for (const auto& row : Rows(characters)) {
        ++checked.characterRows;
        if (ClosesText(row.front().text)) {
            ++checked.badStarts;
            problem(u"a line starts with %1"_s.arg(row.front().text));
        }
    }
    for (const auto& row : Rows(syllables)) {
        for (size_t k = 0; k < row.size(); ++k) {
            const Word& syllable = row[k];
            ++checked.syllables;
            if (k > 0 && row[k - 1].right >= syllable.left) {
                ++checked.overlaps;
                problem(u"%1 touches %2"_s.arg(row[k - 1].text, syllable.text));
            }
            // Its character: on the same page, just below it, under its centre.
            const Word* below = nullptr;
            for (const Word& character : characters) {
                if (character.page != syllable.page || character.top < syllable.bottom - 1 ||
                    character.top > syllable.bottom + size * 0.5 ||
                    character.left > Centre(syllable) || character.right < Centre(syllable))
                    continue;
                below = &character;
            }
            if (!below) {
                problem(u"%1 has no character below it"_s.arg(syllable.text));
                continue;
            }
            // A viewer may take a character and the punctuation after or before it for one word:
            // the character is then its first or last em.
            double centre = Centre(*below);
            if (below->text.size() > 1) {
                const double first = below->left + size / 2, last = below->right - size / 2;
                centre = std::abs(first - Centre(syllable)) < std::abs(last - Centre(syllable))
                             ? first
                             : last;
            }
            const double distance = std::abs(centre - Centre(syllable));
            checked.worst = std::max(checked.worst, distance);
            if (distance <= 0.5)
                ++checked.centred;
            else
                problem(u"%1 over %2 is %3 pt off"_s.arg(syllable.text, below->text).arg(distance));
        }
    }
    return checked;
}

}  // namespace sorvani::testing_pages
