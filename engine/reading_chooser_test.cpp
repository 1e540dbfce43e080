#include "reading_chooser.h"

#include <gtest/gtest.h>

#include <random>

#include "annotation_run.h"
#include "column_ruler.h"
#include "pinyin_lookup.h"
#include "text_output_box.h"

namespace sorvani {
namespace {

class ReadingChooserTest : public testing::Test {
  protected:
    ReadingChooserTest() {
        for (const auto& [character, toned, plain] : std::vector<std::array<std::u16string, 3>>{
                 {u"银", u"yín", u"yin"},   {u"行", u"xíng", u"xing"}, {u"中", u"zhōng", u"zhong"},
                 {u"国", u"guó", u"guo"},   {u"人", u"rén", u"ren"},   {u"长", u"cháng", u"chang"},
                 {u"大", u"dà", u"da"},     {u"一", u"yī", u"yi"},     {u"不", u"bù", u"bu"},
                 {u"天", u"tiān", u"tian"}, {u"年", u"nián", u"nian"}, {u"起", u"qǐ", u"qi"},
                 {u"定", u"dìng", u"ding"}, {u"是", u"shì", u"shi"},   {u"吃", u"chī", u"chi"},
                 {u"来", u"lái", u"lai"},   {u"好", u"hǎo", u"hao"},   {u"第", u"dì", u"di"},
                 {u"十", u"shí", u"shi"},   {u"统", u"tǒng", u"tong"}, {u"的", u"de", u"de"},
                 {u"个", u"gè", u"ge"},     {u"这", u"zhè", u"zhe"},   {u"了", u"le", u"le"}}) {
            dictionary_.Append({character, character, toned, plain});
        }
        dictionary_.Append({u"銀", u"銀", u"yín", u"yin"});
        dictionary_.Append({u"長", u"長", u"cháng", u"chang"});
        words_ = WordTable::Parse(
            WordTable::Serialise({{u"中国银行", {u"zhōng", u"guó", u"yín", u"háng"}},
                                  {u"行长", {u"háng", u"zhǎng"}},
                                  {u"这一", {u"zhè", u"yí"}},  // a word that ends in 一
                                  {u"这个", {u"zhè", u"ge"}},
                                  {u"银行", {u"yín", u"háng"}},
                                  {u"长大", {u"zhǎng", u"dà"}}}),
            "test");
    }

    // Each unit's syllable with tone marks as the program shows it, "·" for a character that
    // keeps the dictionary's reading.
    std::u16string Chosen(std::u16string_view text, bool words = true, bool toneChange = false) {
        const ReadingChooser chooser(words ? &words_ : nullptr, dictionary_, toneChange);
        std::u16string shown;
        for (const SyllableId id : chooser.DecideAll(text)) {
            if (!shown.empty()) shown += u' ';
            shown += id ? chooser.Shown(id, kWithTones) : u"·";
        }
        return shown;
    }

    PinyinDictionary dictionary_;
    WordTable words_;
};

TEST_F(ReadingChooserTest, WordsTakeTheirSyllablesWhereverTheyStand) {
    EXPECT_EQ(Chosen(u"银行"), u"Yín Háng");      // the whole text
    EXPECT_EQ(Chosen(u"人银行"), u"· Yín Háng");  // at the end
    EXPECT_EQ(Chosen(u"银行人"), u"Yín Háng ·");  // at the start
    EXPECT_EQ(Chosen(u"行人"), u"· ·");           // 行 alone keeps the dictionary's
    EXPECT_EQ(Chosen(u"银\r\n行"), u"· · · ·");   // a line break ends a word
    EXPECT_EQ(Chosen(u"銀行"), u"· ·");           // traditional: not in the table
    EXPECT_EQ(Chosen(u"银行", false), u"· ·");    // words off
}

TEST_F(ReadingChooserTest, OverlappingWordsGoToTheLongestMatchFromTheLeft) {
    EXPECT_EQ(Chosen(u"中国银行"), u"Zhōng Guó Yín Háng");
    EXPECT_EQ(Chosen(u"银行长大"), u"Yín Háng Zhǎng Dà");  // 行长 loses to 银行, then 长大
    EXPECT_EQ(Chosen(u"人行长"), u"· Háng Zhǎng");
    EXPECT_EQ(Chosen(u"这个"), u"Zhè Ge");  // a neutral tone
}

TEST_F(ReadingChooserTest, ToneChangeOfYiFollowsTheNextSyllable) {
    EXPECT_EQ(Chosen(u"一天", true, true), u"Yì ·");     // before tone 1
    EXPECT_EQ(Chosen(u"一年", true, true), u"Yì ·");     // 2
    EXPECT_EQ(Chosen(u"一起", true, true), u"Yì ·");     // 3
    EXPECT_EQ(Chosen(u"一定", true, true), u"Yí ·");     // 4
    EXPECT_EQ(Chosen(u"一定", true, false), u"· ·");     // off
    EXPECT_EQ(Chosen(u"统一。", true, true), u"· · ·");  // before punctuation
    EXPECT_EQ(Chosen(u"一", true, true), u"·");          // at the end of the text
    EXPECT_EQ(Chosen(u"第一天", true, true), u"· · ·");  // ordinal
    EXPECT_EQ(Chosen(u"十一年", true, true), u"· · ·");  // number
    EXPECT_EQ(Chosen(u"一十", true, true), u"· ·");
    EXPECT_EQ(Chosen(u"统一天", true, true), u"· · ·");  // ends the word 统一
    EXPECT_EQ(Chosen(u"一的", true, true), u"· ·");      // before a neutral tone
}

TEST_F(ReadingChooserTest, ToneChangeOfBuOnlyBeforeTheFourthTone) {
    EXPECT_EQ(Chosen(u"不是", true, true), u"Bú ·");
    EXPECT_EQ(Chosen(u"不吃", true, true), u"· ·");
    EXPECT_EQ(Chosen(u"不来", true, true), u"· ·");
    EXPECT_EQ(Chosen(u"不好", true, true), u"· ·");
    EXPECT_EQ(Chosen(u"好不", true, true), u"· ·");  // at the end
    EXPECT_EQ(Chosen(u"不。", true, true), u"· ·");
    EXPECT_EQ(Chosen(u"不一定", true, true), u"· Yí ·");  // 一 still reads yī for 不
    EXPECT_EQ(Chosen(u"一不是", true, true), u"Yí Bú ·");
    EXPECT_EQ(Chosen(u"不行长", true, false), u"· Háng Zhǎng");
    EXPECT_EQ(Chosen(u"不行长", true, true), u"· Háng Zhǎng");  // 不 before háng (2)
    EXPECT_EQ(Chosen(u"不长大", true, true), u"· Zhǎng Dà");    // zhǎng: the third tone
}

TEST_F(ReadingChooserTest, ShownWithoutToneMarks) {
    const ReadingChooser chooser(&words_, dictionary_, true);
    const auto ids = chooser.DecideAll(u"长大");
    EXPECT_EQ(chooser.Shown(ids[0], kWithoutTones), u"Zhang");
    EXPECT_EQ(chooser.Shown(ids[0], kWithTones), u"Zhǎng");
}

TEST_F(ReadingChooserTest, AStreamDecidedWindowByWindowChoosesAsTheWholeText) {
    const std::u16string pieces[] = {u"中国银行", u"银行", u"长大", u"一",   u"不", u"是", u"定",
                                     u"人",       u"行",   u"长",   u"这个", u"，", u"十", u"这一"};
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::u16string text;
        for (int i = 0; i < 30; ++i) text += pieces[random() % std::size(pieces)];
        const ReadingChooser chooser(&words_, dictionary_, round % 2 == 0);
        const auto whole = chooser.DecideAll(text);

        // Windows of random size; each keeps one decided unit before it as context.
        std::vector<SyllableId> streamed, chosen;
        size_t decided = 0;
        while (decided < text.size()) {
            const size_t context = decided > 0 ? 1 : 0;
            const size_t from = decided - context;
            const size_t size = context + chooser.Lookahead() + random() % 6;
            const bool atEnd = from + size >= text.size();
            const auto window = std::u16string_view(text).substr(from, size);
            const size_t end = chooser.Decide(window, context, atEnd, chosen);
            ASSERT_GE(end, context);
            if (!atEnd) {
                ASSERT_LE(window.size() - end, chooser.Lookahead());
            }
            ASSERT_TRUE(atEnd || end > context) << "no progress with a window past the lookahead";
            streamed.insert(streamed.end(), chosen.begin(), chosen.end());
            decided = from + end;
        }
        ASSERT_EQ(streamed, whole) << "round " << round;
    }
}

// The run with a chooser: words keep their syllables where a chunk border or a wrap cuts them.
class ChosenRunTest : public ReadingChooserTest {
  protected:
    std::u16string Run(std::u16string_view text, const ReadingChooser* chooser) {
        ColumnRuler ruler;
        TextOutputBox output;
        NoEventLoop events;
        PinyinMemo pinyin(dictionary_);
        AnnotatedLinePair pair;
        RunAnnotation(text, kWithTones, pair, {pinyin, ruler, output, events, chooser});
        return output.TakeText();
    }
};

TEST_F(ChosenRunTest, AWordAcrossAChunkBorderKeepsItsReading) {
    const ReadingChooser chooser(&words_, dictionary_, false);
    const std::u16string text = std::u16string(79, u' ') + u"银行";  // 银 ends chunk 1
    const std::u16string out = Run(text, &chooser);
    EXPECT_NE(out.find(u"Yín Háng"), std::u16string::npos) << std::string(out.begin(), out.end());
    EXPECT_EQ(Run(text, nullptr).find(u"Háng"), std::u16string::npos);
}

TEST_F(ChosenRunTest, AWordAcrossADecisionWindowKeepsItsReading) {
    // The run decides 65,536 units at a time: 银 ends the first window, 行 opens the second, and
    // 一 before 定 in the next word changes its tone across the same border.
    const ReadingChooser chooser(&words_, dictionary_, true);
    for (const std::u16string_view word : {u"银行", u"一定"}) {
        const std::u16string text = std::u16string(65'535, u' ') + std::u16string(word);
        const std::u16string out = Run(text, &chooser);
        const std::u16string_view expected = word == u"银行" ? u"Yín Háng" : u"Yí Dìng";
        EXPECT_NE(out.find(expected), std::u16string::npos)
            << std::string(out.end() - 40, out.end());
    }
}

TEST_F(ChosenRunTest, AWordAcrossAWrappedLineKeepsItsReading) {
    const ReadingChooser chooser(&words_, dictionary_, false);
    // 39 spaces take 78 columns; 银 (4 columns) wraps the line, 行 opens the next.
    const std::u16string text = std::u16string(39, u' ') + u"银行";
    const std::u16string out = Run(text, &chooser);
    const size_t wrap = out.find(u"银");
    ASSERT_NE(wrap, std::u16string::npos);
    EXPECT_NE(out.find(u"\r\nHáng "), std::u16string::npos);  // the next pinyin line
    EXPECT_NE(out.find(u"Yín \r\n"), std::u16string::npos);
}

TEST_F(ChosenRunTest, OnlyTheSyllablesChangeNotTheLayout) {
    // Same columns: háng and xíng have four letters, so the lines match but for the syllable.
    const ReadingChooser chooser(&words_, dictionary_, false);
    const std::u16string text = u"银行\r\n" + std::u16string(100, u'银');
    std::u16string expected = Run(text, nullptr);
    expected.replace(expected.find(u"Xíng"), 4, u"Háng");
    EXPECT_EQ(Run(text, &chooser), expected);
}

}  // namespace
}  // namespace sorvani
