// Every syllable starts in its character's column, whatever the syllable's length and the
// character's width, in the window's layout and in the tool's stream alike. The columns are
// counted here from a table of the test's own, not by the engine's width functions.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "annotated_pair_reader.h"
#include "annotation_run.h"
#include "annotation_stream.h"
#include "column_ruler.h"
#include "pinyin_lookup.h"
#include "reading_chooser.h"
#include "text_output_box.h"
#include "utf8.h"

namespace sorvani {
namespace {

struct Piece {
    std::u16string_view text;
    int columns;  // as a monospaced font draws it: marks none, Chinese and wide characters two
};

// Syllables of one to twelve letters over Chinese characters, characters that stand for
// themselves (narrow, wide, full-width punctuation), "?" over characters of every width outside
// the code page, joined marks, and spaces.
constexpr Piece kPieces[] = {
    {u"啊", 2}, {u"儿", 2},      {u"好", 2},       {u"中", 2},       {u"长", 2},
    {u"双", 2}, {u"你", 2},      {u"，", 2},       {u"a", 1},        {u" ", 1},
    {u"é", 1},  {u"\u3000", 2},  {u"한", 2},       {u"😀", 2},        {u"𐐀", 1},
    {u"Ā", 1},  {u"e\u0301", 1}, {u"中\uFE0F", 2}, {u"啊\u20DD", 2}, {u"😀\U000E0100", 2}};

PinyinDictionary Dictionary() {
    PinyinDictionary dictionary;
    dictionary.Append({u"啊", u"啊", u"ā", u"a"});
    dictionary.Append({u"儿", u"儿", u"ér", u"er"});
    dictionary.Append({u"好", u"好", u"hǎo", u"hao"});
    dictionary.Append({u"中", u"中", u"zhōng", u"zhong"});
    dictionary.Append({u"长", u"长", u"chuàng", u"chuang"});
    dictionary.Append({u"双", u"双", u"shuāngshuāng", u"shuangshuang"});
    return dictionary;
}

// Words that give one-letter and long syllables where the dictionary gives others.
WordTable Words() {
    return WordTable::Parse(WordTable::Serialise({{u"中好", {u"é", u"ò"}},
                                                  {u"啊儿", {u"zhuàngzhuàng", u"ń"}},
                                                  {u"好长", {u"a", u"zhǎng"}}}),
                            "test");
}

std::vector<size_t> RandomPieces(std::mt19937& random) {
    std::vector<size_t> pieces(1 + random() % 120);
    for (size_t& piece : pieces) piece = random() % std::size(kPieces);
    return pieces;
}

std::u16string TextOf(const std::vector<size_t>& pieces) {
    std::u16string text;
    for (size_t piece : pieces) text += kPieces[piece].text;
    return text;
}

// Columns of a pinyin entry: a syllable's letters one each; a character that stands for itself
// (or "?") takes its own.
int EntryColumns(std::u16string_view entry, const Piece& piece) {
    if (entry == piece.text) return piece.columns;
    return static_cast<int>(entry.size());
}

// Walks the output line pair by line pair and piece by piece and checks that each piece's entry
// starts on the pinyin line in the column where the piece starts on the character line, with
// nothing but spaces after the piece up to the next entry's column.
void ExpectEverySyllableOverItsCharacter(const std::u16string& output,
                                         const std::vector<size_t>& pieces) {
    std::vector<std::u16string_view> lines;
    for (size_t start = 0; start < output.size();) {
        const size_t end = output.find(u"\r\n", start);
        ASSERT_NE(end, std::u16string::npos);
        lines.push_back(std::u16string_view(output).substr(start, end - start));
        start = end + 2;
    }
    ASSERT_EQ(lines.size() % 2, 0u);
    size_t next = 0, read = 0;
    for (size_t pair = 0; pair < lines.size(); pair += 2) {
        const std::u16string_view pinyin = lines[pair], characters = lines[pair + 1];
        size_t p = 0, c = 0;
        int pinyinColumn = 0, characterColumn = 0;
        while (p < pinyin.size()) {
            ASSERT_LT(next, pieces.size());
            const Piece& piece = kPieces[pieces[next++]];
            const size_t entryEnd = piece.text == u" " ? p + 1 : pinyin.find(u' ', p);
            ASSERT_NE(entryEnd, std::u16string_view::npos);
            const std::u16string_view entry = pinyin.substr(p, entryEnd - p);
            ASSERT_EQ(characters.substr(c, piece.text.size()), piece.text)
                << "line " << pair + 1 << " at " << c;
            ASSERT_EQ(characterColumn, pinyinColumn)
                << "line " << pair + 1 << ": " << EncodeUtf8(piece.text) << " under "
                << EncodeUtf8(entry);
            pinyinColumn += EntryColumns(entry, piece) + 1;
            p = entryEnd + 1;
            c += piece.text.size();
            characterColumn += piece.columns;
            const auto spacing = static_cast<size_t>(pinyinColumn - characterColumn);
            ASSERT_GE(pinyinColumn, characterColumn) << EncodeUtf8(piece.text);
            ASSERT_EQ(characters.substr(c, spacing), std::u16string(spacing, u' '));
            c += spacing;
            characterColumn += static_cast<int>(spacing);
        }
        EXPECT_EQ(c, characters.size()) << "line " << pair + 1;
        // Read back, the pair gives its characters with their entries.
        std::vector<AnnotatedCell> cells;
        ASSERT_TRUE(ReadAnnotatedPair(pinyin, characters, cells)) << "line " << pair + 1;
        for (const AnnotatedCell& cell : cells) {
            while (kPieces[pieces[read]].text == u" ") ++read;
            EXPECT_EQ(cell.character, kPieces[pieces[read++]].text);
        }
    }
    EXPECT_EQ(next, pieces.size());
}

std::u16string LaidOut(const PinyinDictionary& dictionary, std::u16string_view text,
                       int16_t toneFlag, const ReadingChooser* chooser) {
    PinyinMemo memo(dictionary);
    ColumnRuler ruler;
    TextOutputBox output;
    AnnotatedLinePair pair;
    RunAnnotation(text, toneFlag, pair, {memo, ruler, output, chooser});
    return output.Text();
}

std::string Streamed(const PinyinDictionary& dictionary, std::u16string_view text, int16_t toneFlag,
                     const ReadingChooser* chooser) {
    PinyinMemo memo(dictionary);
    ColumnRuler ruler;
    std::string out;
    AnnotationStream stream(
        memo, ruler, toneFlag, [&out](std::string_view bytes) { out += bytes; }, chooser);
    stream.Add(text);
    stream.Finish();
    return out;
}

TEST(SyllableColumns, EverySyllableStartsInItsCharactersColumnInTheLayoutAndTheStream) {
    const PinyinDictionary dictionary = Dictionary();
    const WordTable words = Words();
    std::mt19937 random(26);
    for (int round = 0; round < 400; ++round) {
        const std::vector<size_t> pieces = RandomPieces(random);
        const std::u16string text = TextOf(pieces);
        const ReadingChooser chooser(&words, dictionary, false);
        const ReadingChooser* chosen = round % 2 ? &chooser : nullptr;
        const int16_t toneFlag = round % 3 ? kWithTones : kWithoutTones;
        const std::u16string laidOut = LaidOut(dictionary, text, toneFlag, chosen);
        SCOPED_TRACE("round " + std::to_string(round) + ": " + EncodeUtf8(text));
        ExpectEverySyllableOverItsCharacter(laidOut, pieces);
        ASSERT_EQ(Streamed(dictionary, text, toneFlag, chosen), EncodeUtf8(laidOut));
    }
}

TEST(SyllableColumns, AOneLetterSyllableOverAChineseCharacterTakesNoSpacing) {
    const PinyinDictionary dictionary = Dictionary();
    EXPECT_EQ(LaidOut(dictionary, u"啊中，啊", kWithTones, nullptr),
              u"Ā Zhōng ， Ā \r\n啊中    ， 啊\r\n");
    EXPECT_EQ(LaidOut(dictionary, u"한😀Ā", kWithTones, nullptr), u"? ? ? \r\n한😀Ā \r\n");
}

}  // namespace
}  // namespace sorvani
