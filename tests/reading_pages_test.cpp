// The reading layout's pages as a viewer finds their words (pdftotext's word boxes): every
// syllable centred over its character, no two syllables touching, no line that starts with
// closing punctuation, no line pair parted by a page, and a number on every page; at the default
// size and at the largest. Skipped where pdftotext is not installed.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "box_text_export.h"
#include "page_alignment.h"
#include "reading_line_filler.h"

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

// A story with the punctuation of ordinary prose, quotes and brackets, one-letter syllables
// (啊, 鹅) and letters and digits among the characters.
const QString kStory =
    u"鹅，鹅，鹅，曲项向天歌。白毛浮绿水，红掌拨清波。\r\n"
    u"妈妈说：“好啊，我们一起去吧！”小明（七岁）高兴地跳了起来，拿上书包就往门外跑。\r\n"
    u"春天来了，小草从地下探出头来，柳树长出了嫩绿的新芽，燕子从南方飞回来，在屋檐下筑巢。"
    u"孩子们放下书包，跑到田野里放风筝，笑声传得很远很远。老师说，学习语言要多听、多说、多读、"
    u"多写，每天坚持一点点，就会有很大的进步。2024 年的 PDF 课本也这样写。\r\n"
    u"\r\n"_s;

using testing_pages::Word;

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

struct Checked {
    int pages = 0, numbered = 0, characterRows = 0, syllables = 0, centred = 0, overlaps = 0,
        badStarts = 0;
    double worst = 0;
    QStringList problems;
};

Checked Check(const std::vector<Word>& words, double size) {
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

QString Exported(const QString& annotated, const ReadingChoices& choices, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    PrintedPage page;
    page.choices = choices;
    BoxTextExport pages(ExportFormat::Pdf, page, QFont(),
                        [&file](QByteArrayView bytes) { file.write(bytes.data(), bytes.size()); });
    pages.Add(annotated);
    pages.Finish();
    return path;
}

class ReadingPages : public testing::TestWithParam<int> {};

TEST_P(ReadingPages, SetEverySyllableCentredOverItsCharacterAndKeepPairsTogether) {
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir folder;
    ReadingChoices choices;
    choices.size = GetParam();
    choices.toneColours = true;
    const QString annotated = testing_pages::Annotated(kStory.repeated(6), true);
    const QString pdf = Exported(annotated, choices, folder.filePath(u"story.pdf"_s));
    const std::vector<Word> words = testing_pages::PdfWords(pdf);
    ASSERT_FALSE(words.empty());
    const Checked checked = Check(words, choices.size);
    const QString problems = checked.problems.join(u'\n');
    // Every character of the story that has a syllable shows it over itself, on its page.
    const int annotatedCharacters =
        static_cast<int>(6 * kStory.count(QRegularExpression(u"[\u4E00-\u9FFF]"_s)));
    EXPECT_EQ(checked.syllables, annotatedCharacters) << problems.toStdString();
    EXPECT_EQ(checked.centred, checked.syllables) << problems.toStdString();
    EXPECT_EQ(checked.overlaps, 0) << problems.toStdString();
    EXPECT_EQ(checked.badStarts, 0) << problems.toStdString();
    EXPECT_EQ(checked.numbered, checked.pages);
    EXPECT_GT(checked.pages, choices.size > 20 ? 2 : 0);
    std::printf("%d pt: %d pages, %d lines, %d syllables, worst centring %.3f pt\n", choices.size,
                checked.pages, checked.characterRows, checked.syllables, checked.worst);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReadingPages, testing::Values(16, 36));

}  // namespace
}  // namespace sorvani::documents
