#include "reading_cells.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

// The cells of the lines as "text/syllable/tone", a space of the text as "_", paragraphs parted by
// "¶".
QString Read(const QStringList& lines, ReadingChoices choices = {}) {
    QString shown;
    ReadingCellReader reader(choices, {[&shown](ReadingCell&& cell) {
                                           if (cell.spaceBefore) shown += u"_"_s;
                                           shown += cell.text;
                                           if (!cell.syllable.isEmpty())
                                               shown +=
                                                   u"/%1/%2 "_s.arg(cell.syllable).arg(cell.tone);
                                       },
                                       [&shown] { shown += u"¶"_s; }});
    for (const QString& line : lines) reader.AddLine(line);
    reader.Finish();
    return shown;
}

TEST(ReadingCellReader, ReadsEachCharacterWithItsSyllableInSmallLetters) {
    // A space of the text stands as two on each line; the letters a and b are one word.
    EXPECT_EQ(Read({u"Hàn Yǔ ， Ā   a b "_s, u"汉  语 ， 啊  a b "_s}),
              u"汉/hàn/4 语/yǔ/3 ，啊/ā/1 _ab¶"_s);
    ReadingChoices capitals;
    capitals.capitals = true;
    EXPECT_EQ(Read({u"Hàn Zi "_s, u"汉  字  "_s}, capitals), u"汉/Hàn/4 字/Zi/0 ¶"_s);
}

TEST(ReadingCellReader, JoinsWrappedPairsIntoTheirParagraphAndLettersIntoWords) {
    // Forty characters with two-letter syllables make a pair the annotation wrapped.
    const QString wrappedPinyin = u"Yi "_s.repeated(27), wrappedCharacters = u"一 "_s.repeated(27);
    EXPECT_EQ(Read({wrappedPinyin, wrappedCharacters, u"Yi "_s, u"一 "_s, u""_s, u""_s, u"Yi "_s,
                    u"一 "_s}),
              u"一/yi/0 "_s.repeated(28) + u"¶一/yi/0 ¶"_s);
    // A line that is no pair: its characters without syllables, letters and digits as words.
    EXPECT_EQ(Read({u"Hello, world 2024"_s, u"你好"_s}), u"Hello,_world_2024¶你好¶"_s);
}

}  // namespace
}  // namespace sorvani::documents
