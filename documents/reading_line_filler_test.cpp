#include "reading_line_filler.h"

#include <gtest/gtest.h>

namespace sorvani::documents {
namespace {

using namespace Qt::StringLiterals;

// Lays out the text, a cell per character (a space marks the next cell), each 10 wide, on lines
// of the width; returns the lines parted by "|", a paragraph's end marked by "¶".
QString Filled(const QString& text, double width) {
    QString lines;
    ReadingLineFiller filler(width, 5, [&lines](const std::vector<MeasuredCell>& line, bool ends) {
        for (const MeasuredCell& placed : line)
            lines += (placed.cell.spaceBefore ? u" "_s : QString()) + placed.cell.text;
        lines += ends ? u"¶"_s : u"|"_s;
    });
    bool space = false;
    for (const QChar c : text) {
        if (c == u' ') {
            space = true;
        } else if (c == u'\n') {
            filler.EndParagraph();
        } else {
            filler.Add({{QString(c), {}, 0, space}, 10});
            space = false;
        }
    }
    filler.EndParagraph();
    return lines;
}

TEST(ReadingLineFiller, FillsEachLineWithTheCellsThatFit) {
    EXPECT_EQ(Filled(u"一二三四五六七"_s, 30), u"一二三|四五六|七¶"_s);
    EXPECT_EQ(Filled(u"一二三\n四五"_s, 30), u"一二三¶四五¶"_s);
    // A space of the text takes room too.
    EXPECT_EQ(Filled(u"一 二三"_s, 30), u"一 二|三¶"_s);
    EXPECT_EQ(Filled(u""_s, 30), u""_s);
}

TEST(ReadingLineFiller, PunctuationNeverStartsALineAndAnOpeningBracketNeverEndsOne) {
    // The character before the comma goes to the next line with it.
    EXPECT_EQ(Filled(u"一二三，四"_s, 30), u"一二|三，四¶"_s);
    EXPECT_EQ(Filled(u"一二三。”四"_s, 30), u"一二|三。”|四¶"_s);
    EXPECT_EQ(Filled(u"一二“三四"_s, 30), u"一二|“三四¶"_s);
    EXPECT_EQ(Filled(u"一（“三四"_s, 30), u"一|（“三|四¶"_s);
    // Nothing can move: the punctuation hangs past the width rather than start a line.
    EXPECT_EQ(Filled(u"，，，，"_s, 30), u"，，，，¶"_s);
}

}  // namespace
}  // namespace sorvani::documents
