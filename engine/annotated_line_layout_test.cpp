#include "annotated_line_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "column_ruler.h"
#include "pinyin_lookup.h"
#include "test_dictionary.h"
#include "text_output_box.h"

namespace sorvani {
namespace {

class LayoutTest : public testing::Test {
  protected:
    LayoutTest() { test_support::FillDictionary(dictionary_); }

    // Lays out the chunk and returns what reached the output box.
    std::u16string Layout(std::u16string_view text, int64_t remaining,
                          int16_t toneFlag = kWithoutTones) {
        LayoutAnnotatedText(text, remaining, toneFlag, pair_, tools_);
        return output_.TakeText();
    }

    PinyinDictionary dictionary_;
    ColumnRuler ruler_;
    TextOutputBox output_;
    PinyinMemo pinyin_{dictionary_};
    LayoutTools tools_{pinyin_, ruler_, output_};
    AnnotatedLinePair pair_;
};

TEST_F(LayoutTest, SpacingKeepsTheCharacterUnderItsSyllable) {
    EXPECT_EQ(Layout(u"中", 1), u"");  // five letters: six columns on each line
    EXPECT_EQ(pair_.PinyinBuffer, u"Zhong ");
    EXPECT_EQ(pair_.CharLine, u"中    ");

    pair_.Clear();
    Layout(u"啊", 1);  // one letter and its space: two columns on each line
    EXPECT_EQ(pair_.PinyinBuffer, u"A ");
    EXPECT_EQ(pair_.CharLine, u"啊");

    pair_.Clear();
    Layout(u"你，", 1);  // not in the dictionary, and full-width punctuation
    EXPECT_EQ(pair_.PinyinBuffer, u"你 ， ");
    EXPECT_EQ(pair_.CharLine, u"你 ， ");

    pair_.Clear();
    Layout(u" a1", 1);
    EXPECT_EQ(pair_.PinyinBuffer, u"  a 1 ");
    EXPECT_EQ(pair_.CharLine, u"  a 1 ");
}

TEST_F(LayoutTest, ToneFlagMinusOneTakesTheSyllablesWithToneMarks) {
    Layout(u"中国", 1, kWithTones);
    EXPECT_EQ(pair_.PinyinBuffer, u"Zhōng Guó ");
    pair_.Clear();
    Layout(u"中国", 1, 1);
    EXPECT_EQ(pair_.PinyinBuffer, u"Zhong Guo ");
}

TEST_F(LayoutTest, CharactersOutsideTheCodePageTakeTheColumnsTheyAreDrawnIn) {
    // Wide ones take two columns, as much as their "?" and its space; a lone surrogate half never
    // reaches the output.
    Layout(u"😀한\xD800", 1);
    EXPECT_EQ(pair_.PinyinBuffer, u"? ? ? ");
    EXPECT_EQ(pair_.CharLine, u"😀한\uFFFD ");
    EXPECT_EQ(ruler_.Width(pair_.CharLine), 6 * ColumnRuler::kTwipsPerColumn);
}

TEST_F(LayoutTest, MarksJoinTheCharacterBeforeThemAndTakeNoColumn) {
    // An accent, a variation selector of each plane and an enclosing mark, mid-line.
    Layout(u"中e\u0301国\uFE0F啊\U000E0100\u20DDa", 1);
    EXPECT_EQ(pair_.PinyinBuffer, u"Zhong e Guo A a ");
    EXPECT_EQ(pair_.CharLine, u"中    e\u0301 国\uFE0F  啊\U000E0100\u20DDa ");
    EXPECT_EQ(ruler_.Width(pair_.CharLine), 16 * ColumnRuler::kTwipsPerColumn);

    // With no character before them on the line, marks stand alone; a line end takes none.
    const std::u16string line = pair_.PinyinBuffer + u"\r\n" + pair_.CharLine + u"\r\n";
    EXPECT_EQ(Layout(u"\r\n\u0301a", 0), line + u"a \r\n\u0301a \r\n");
}

TEST_F(LayoutTest, WrapsAfterTheCharacterThatMakesTheLineWiderThanEightyColumns) {
    const std::u16string eighty(40, u'a');  // "a " forty times
    Layout(eighty, 1);
    EXPECT_EQ(pair_.CharLine.size(), 80u);
    EXPECT_EQ(pair_.PinyinBuffer.find(u'\r'), std::u16string::npos);

    Layout(u"中", 1);
    std::u16string line;
    for (int i = 0; i < 40; ++i) line += u"a ";
    EXPECT_EQ(pair_.PinyinBuffer, line + u"Zhong \r\n" + line + u"中    \r\n");
    EXPECT_EQ(pair_.CharLine, u"");

    Layout(u"国", 1);  // measuring starts again on the new line
    EXPECT_EQ(pair_.PinyinBuffer, line + u"Zhong \r\n" + line + u"中    \r\nGuo ");
}

TEST_F(LayoutTest, AChunkWithoutLineEndWaitsForTheNextOne) {
    EXPECT_EQ(Layout(u"中国", 5), u"");
    EXPECT_EQ(Layout(u"", 0), u"Zhong Guo \r\n中    国  \r\n");
    EXPECT_EQ(pair_.PinyinBuffer, u"");
    EXPECT_EQ(pair_.CharLine, u"");
    EXPECT_EQ(Layout(u"", 0), u"\r\n\r\n");
}

TEST_F(LayoutTest, LineEndsFlushThePair) {
    // CR flushes the pair, LF an empty pair, and the final flush one more.
    EXPECT_EQ(Layout(u"中\r\n", 0), u"Zhong \r\n中    \r\n\r\n\r\n");
    // An empty line gives two empty lines; a last line without line end still gets its pair.
    EXPECT_EQ(Layout(u"a\r\n\r\nb", 0), u"a \r\na \r\n\r\n\r\nb \r\nb \r\n");
    // A lone CR or LF leaves no break after the character line.
    EXPECT_EQ(Layout(u"a\rb\nc", 0), u"a \r\na b \r\nb c \r\nc \r\n");
}

TEST_F(LayoutTest, AWrapRightBeforeALineEndFlushesAnEmptyPair) {
    const std::u16string full(41, u'a');
    const std::u16string out = Layout(full + u"\r\n", 1);
    std::u16string line;
    for (int i = 0; i < 41; ++i) line += u"a ";
    EXPECT_EQ(out, line + u"\r\n" + line + u"\r\n" + u"\r\n" + u"\r\n");
}

TEST_F(LayoutTest, AnEmptySyllableEndsTheCallAndKeepsThePair) {
    dictionary_.Append({u"好", u"好", u"", u""});
    try {
        LayoutAnnotatedText(u"a好\r\nb", 0, kWithTones, pair_, tools_);
        ADD_FAILURE() << "no failure";
    } catch (const AnnotationFailure& failure) {
        EXPECT_NE(std::string(failure.what()).find("row " + std::to_string(dictionary_.size())),
                  std::string::npos);
    }
    EXPECT_EQ(pair_.PinyinBuffer, u"a ");
    EXPECT_EQ(pair_.CharLine, u"a ");
    EXPECT_EQ(output_.TakeText(), u"");  // neither the line end nor the final flush
}

}  // namespace
}  // namespace sorvani
