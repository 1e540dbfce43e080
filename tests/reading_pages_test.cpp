// The reading layout's pages as a viewer finds their words (pdftotext's word boxes): every
// syllable centred over its character, no two syllables touching, no line that starts with
// closing punctuation, no line pair parted by a page, and a number on every page; at the default
// size and at the largest, with and without the writing-practice grid. Skipped where pdftotext is
// not installed.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "page_alignment.h"
#include "reading_page_check.h"
#include "text_export.h"

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

QString Exported(const QString& annotated, const ReadingChoices& choices, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    PrintedPage page;
    page.choices = choices;
    TextExport pages(DocumentFormat::Pdf, page, QFont(),
                     [&file](QByteArrayView bytes) { file.write(bytes.data(), bytes.size()); });
    pages.Add(annotated);
    pages.Finish();
    return path;
}

// The characters' size, and whether they stand in the writing-practice grid.
class ReadingPages : public testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(ReadingPages, SetEverySyllableCentredOverItsCharacterAndKeepPairsTogether) {
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir folder;
    ReadingChoices choices;
    choices.size = std::get<0>(GetParam());
    choices.grid = std::get<1>(GetParam());
    choices.toneColours = true;
    const QString annotated = testing_pages::Annotated(kStory.repeated(6), true);
    const QString pdf = Exported(annotated, choices, folder.filePath(u"story.pdf"_s));
    const std::vector<Word> words = testing_pages::PdfWords(pdf);
    ASSERT_FALSE(words.empty());
    const testing_pages::Checked checked = testing_pages::CheckReadingPages(words, choices.size);
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
    std::printf("%d pt%s: %d pages, %d lines, %d syllables, worst centring %.3f pt\n", choices.size,
                choices.grid ? " in the grid" : "", checked.pages, checked.characterRows,
                checked.syllables, checked.worst);
}

INSTANTIATE_TEST_SUITE_P(SizesAndGrid, ReadingPages,
                         testing::Combine(testing::Values(16, 36), testing::Bool()));

}  // namespace
}  // namespace sorvani::documents
