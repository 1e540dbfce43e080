#include "annotation_stream.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <span>

#include "annotation_run.h"
#include "column_ruler.h"
#include "pinyin_lookup.h"
#include "reading_chooser.h"
#include "text_decoder.h"
#include "text_output_box.h"
#include "utf8.h"

namespace sorvani {
namespace {

// Syllables of every shape the layout treats apart: one letter over a double-byte character,
// longer than the spacing pieces, capitals, and one that starts with a line end.
PinyinDictionary HandMadeDictionary() {
    PinyinDictionary dictionary;
    dictionary.Append({u"中", u"中", u"zhōng", u"zhong"});
    dictionary.Append({u"国", u"国", u"guó", u"guo"});
    dictionary.Append({u"啊", u"啊", u"ā", u"a"});
    dictionary.Append({u"长", u"长", u"chuàngchuàngchuàng", u"chuangchuangchuang"});
    dictionary.Append({u"行", u"行", u"\rháng", u"\nhang"});
    dictionary.Append({u"好", u"好", u"HǍO", u"HAO"});
    return dictionary;
}

// What the window's annotate command gives, as UTF-8.
std::string Reference(const PinyinDictionary& dictionary, std::u16string_view text,
                      int16_t toneFlag, const ReadingChooser* chooser = nullptr) {
    PinyinMemo memo(dictionary);
    ColumnRuler ruler;
    TextOutputBox output;
    AnnotatedLinePair pair;
    RunAnnotation(text, toneFlag, pair, {memo, ruler, output, chooser});
    return EncodeUtf8(output.Text());
}

// The text added in pieces of up to `longest` units.
std::string Streamed(const PinyinDictionary& dictionary, std::u16string_view text, int16_t toneFlag,
                     std::mt19937& random, const ReadingChooser* chooser = nullptr,
                     size_t longest = 99) {
    PinyinMemo memo(dictionary);
    ColumnRuler ruler;
    std::string out;
    AnnotationStream stream(
        memo, ruler, toneFlag, [&out](std::string_view bytes) { out += bytes; }, chooser);
    while (!text.empty()) {
        const size_t length = std::min<size_t>(text.size(), random() % (longest + 1));
        stream.Add(text.substr(0, length));
        text.remove_prefix(length);
    }
    stream.Finish();
    return out;
}

// Pieces that meet every rule of the layout: line ends, wide and narrow characters, joining
// marks, surrogate pairs and lone halves.
constexpr std::u16string_view kLayoutPieces[] = {
    u"中",     u"国", u"啊", u"长",         u"行", u"好",     u"a",      u" ",
    u"\r\n",   u"\r", u"\n", u"，",         u"😀",  u"\u0301", u"\uFE0F", u"\xD800",
    u"\xDC00", u"한", u"é",  u"\U000E0100", u"一", u"\uFFFD", u"\u3000"};

// Random text from the pieces, with runs of joining marks longer than a chunk.
std::u16string RandomText(std::mt19937& random,
                          std::span<const std::u16string_view> pieces = kLayoutPieces) {
    std::u16string text;
    const size_t count = random() % 400;
    for (size_t i = 0; i < count; ++i) {
        if (random() % 200 == 0) text.append(90 + random() % 30, u'\u0301');
        text.append(pieces[random() % pieces.size()]);
    }
    return text;
}

TEST(AnnotationStream, GivesTheReferenceBytesForRandomTextsInRandomPieces) {
    const PinyinDictionary dictionary = HandMadeDictionary();
    std::mt19937 random(11);
    for (int round = 0; round < 600; ++round) {
        const std::u16string text = RandomText(random);
        for (int16_t toneFlag : {kWithTones, kWithoutTones})
            ASSERT_EQ(Streamed(dictionary, text, toneFlag, random),
                      Reference(dictionary, text, toneFlag))
                << "round " << round;
    }
}

// The layout places a character alone by what it knows of it and of the unit after it, which at
// a chunk's end is the next chunk's first: a joining mark, a pair or a lone half there, or the
// text's end, must leave the chunk's last character placed as the run places it.
TEST(AnnotationStream, WhatFollowsAChunkGivesTheReferenceBytes) {
    const PinyinDictionary dictionary = HandMadeDictionary();
    std::mt19937 random(5);
    for (std::u16string_view after :
         {u"\u0301中", u"\u0301", u"😀中", u"\xD800中", u"\xDC00", u"\r\n中", u"", u"a"}) {
        for (size_t before = kChunkLength - 3; before <= kChunkLength + 3; ++before) {
            for (std::u16string_view filler : {u"中", u"a", u"长"}) {
                std::u16string text;
                for (size_t i = 0; i < before; ++i) text += filler;
                text += after;
                for (int16_t toneFlag : {kWithTones, kWithoutTones})
                    ASSERT_EQ(Streamed(dictionary, text, toneFlag, random),
                              Reference(dictionary, text, toneFlag))
                        << before << " units before";
            }
        }
    }
}

// Each unit gets an entry when first met: a text that meets every unit, then meets them again,
// fills them all and finds each again.
TEST(AnnotationStream, ATextOfEveryUnitTwiceGivesTheReferenceBytes) {
    const PinyinDictionary dictionary = HandMadeDictionary();
    std::u16string text;
    for (int round = 0; round < 2; ++round)
        for (char32_t unit = 0; unit <= 0xFFFF; ++unit) text += static_cast<char16_t>(unit);
    std::mt19937 random(3);
    EXPECT_EQ(Streamed(dictionary, text, kWithTones, random, nullptr, 4000),
              Reference(dictionary, text, kWithTones));
}

// The tool decodes each piece of its input straight onto the stream's text: pieces that end
// anywhere, a CR LF parted among them, give the bytes of the text decoded whole.
TEST(AnnotationStream, BytesDecodedOntoTheStreamGiveTheBytesOfTheTextDecodedWhole) {
    const PinyinDictionary dictionary = HandMadeDictionary();
    std::mt19937 random(9);
    const std::string_view pieces[] = {
        "\xE4\xB8\xAD", "\xE5\x9B\xBD",     "a",   "\r", "\n", "\xEF\xBC\x8C",
        "\xCC\x81",     "\xF0\x9F\x98\x80", "\xFF"};
    // Past the sample that decides the encoding, so that most pieces are decoded as they come.
    std::string decided;
    while (decided.size() <= text::kEncodingSample)
        decided +=
            "\xE4\xB8\xAD\xE5\x9B\xBD"
            "a\r\n";
    for (int round = 0; round < 60; ++round) {
        std::string bytes = round % 2 ? decided : "";
        for (size_t count = random() % 300; count > 0; --count)
            bytes += pieces[random() % std::size(pieces)];
        PinyinMemo memo(dictionary);
        ColumnRuler ruler;
        std::string out;
        AnnotationStream stream(memo, ruler, kWithTones,
                                [&out](std::string_view written) { out += written; });
        text::TextDecoder decoder(u"\r\n");
        for (std::string_view rest = bytes; !rest.empty();) {
            const size_t longest = random() % 2 ? 40 : 4000;
            const std::string_view piece = rest.substr(0, random() % longest);
            stream.AddBy([&](std::u16string& text) { decoder.Decode(piece, text); });
            rest.remove_prefix(piece.size());
        }
        stream.AddBy([&](std::u16string& text) { decoder.Finish(text); });
        stream.Finish();
        ASSERT_EQ(out, Reference(dictionary, text::DecodeText(bytes, u"\r\n"), kWithTones))
            << "round " << round;
    }
}

// Words whose syllables the layout spaces differently from the dictionary's (one letter, longer,
// over a character whose dictionary syllable ends the line, over a single-byte character, over a
// joined mark), overlapping words, and what the tone change of 一 and 不 looks at.
class ChosenStreamTest : public testing::Test {
  protected:
    ChosenStreamTest() : dictionary_(HandMadeDictionary()) {
        for (const auto& [character, toned, plain] :
             std::vector<std::array<std::u16string, 3>>{{u"银", u"yín", u"yin"},
                                                        {u"一", u"yī", u"yi"},
                                                        {u"不", u"bù", u"bu"},
                                                        {u"天", u"tiān", u"tian"},
                                                        {u"年", u"nián", u"nian"},
                                                        {u"起", u"qǐ", u"qi"},
                                                        {u"是", u"shì", u"shi"},
                                                        {u"的", u"de", u"de"},
                                                        {u"十", u"shí", u"shi"},
                                                        {u"第", u"dì", u"di"}}) {
            dictionary_.Append({character, character, toned, plain});
        }
        words_ = WordTable::Parse(
            WordTable::Serialise(
                {{u"a中", {u"ā", u"zhǒng"}},
                 {u"一中国银行长", {u"yi", u"zhòng", u"guǒ", u"yǐn", u"háng", u"cháng"}},
                 {u"不是", {u"bú", u"shi"}},
                 {u"中\u0301国", {u"zhòng", u"x", u"guo"}},
                 {u"中国", {u"zhòng", u"guǒ"}},
                 {u"中国银行", {u"zhōng", u"guó", u"yín", u"háng"}},
                 {u"国啊", {u"guó", u"a"}},
                 {u"国长", {u"guō", u"zhǎngzhǎngzhǎngzhǎng"}},
                 {u"好中", {u"hāo", u"zhong"}},
                 {u"银行", {u"yín", u"háng"}},
                 {u"长一", {u"zhǎng", u"yí"}}}),
            "test");
    }

    // Text from words, their parts and overlaps, 一 and 不 before each tone, at line ends and at
    // the end, spaces that bring wraps and chunk borders into words, and the pieces of the
    // layout's own test.
    static std::u16string RandomWordText(std::mt19937& random) {
        static const std::vector<std::u16string_view> kPieces = [] {
            std::vector<std::u16string_view> pieces = {
                u"中国银行", u"中国",       u"银行长",       u"国啊",  u"国长", u"好中",
                u"a中",      u"中\u0301国", u"一中国银行长", u"一",    u"不",   u"天",
                u"年",       u"起",         u"是",           u"的",    u"十",   u"第",
                u"长一",     u"\r\n",       u"    ",         u"     ", u"。",   u"一不"};
            pieces.insert(pieces.end(), std::begin(kLayoutPieces), std::end(kLayoutPieces));
            return pieces;
        }();
        return RandomText(random, kPieces);
    }

    PinyinDictionary dictionary_;
    WordTable words_;
};

TEST_F(ChosenStreamTest, GivesTheRunsBytesWithReadingsByWordForRandomTextsInRandomPieces) {
    std::mt19937 random(23);
    for (int round = 0; round < 300; ++round) {
        const std::u16string text = RandomWordText(random);
        const ReadingChooser chooser(round % 3 == 2 ? nullptr : &words_, dictionary_,
                                     round % 3 != 0);
        const int16_t toneFlag = round % 2 ? kWithTones : kWithoutTones;
        // Pieces of a few units put piece borders inside words, longer ones let chunks form.
        const size_t longest = round % 4 == 0 ? 3 : round % 4 == 1 ? 12 : 200;
        ASSERT_EQ(Streamed(dictionary_, text, toneFlag, random, &chooser, longest),
                  Reference(dictionary_, text, toneFlag, &chooser))
            << "round " << round;
    }
}

TEST_F(ChosenStreamTest, WordsAtTheEdgesOfTextChunksAndLines) {
    const ReadingChooser chooser(&words_, dictionary_, true);
    std::mt19937 random(5);
    std::vector<std::u16string> texts = {u"中国", u"中国银行", u"a中",    u"一",        u"不",
                                         u"长一", u"一天",     u"一年",   u"一起",      u"一的",
                                         u"不是", u"十一",     u"第一天", u"中国\r\n一"};
    // A word over each place of the first chunk border and of the first wrap.
    for (size_t before = 70; before < 82; ++before) {
        texts.push_back(std::u16string(before, u' ') + u"一中国银行长不是");
        texts.push_back(std::u16string(before / 2, u'十') + u"中国银行一起");
    }
    for (const auto& text : texts) {
        const std::string expected = Reference(dictionary_, text, kWithTones, &chooser);
        for (size_t longest : {1, 3, 100})
            EXPECT_EQ(Streamed(dictionary_, text, kWithTones, random, &chooser, longest), expected)
                << EncodeUtf8(text) << " in pieces of up to " << longest;
    }
    // The words were chosen at all: at the start, and across the chunk border.
    EXPECT_EQ(Streamed(dictionary_, u"中国", kWithTones, random, &chooser, 1).substr(0, 14),
              "Zhòng Guǒ \r\n");
    // 中 ends the first chunk and wraps the line; guǒ comes from the word alone.
    EXPECT_NE(
        Streamed(dictionary_, std::u16string(79, u' ') + u"中国", kWithTones, random, &chooser)
            .find("Guǒ"),
        std::string::npos);
}

TEST(AnnotationStream, EmptyTextGivesNothingAndAnEmptyLineGivesAPair) {
    const PinyinDictionary dictionary = HandMadeDictionary();
    std::mt19937 random(1);
    EXPECT_EQ(Streamed(dictionary, u"", kWithTones, random), "");
    EXPECT_EQ(Streamed(dictionary, u"\r\n", kWithTones, random),
              Reference(dictionary, u"\r\n", kWithTones));
}

TEST(AnnotationStream, AnEmptySyllableStopsTheStreamAsItStopsTheRun) {
    PinyinDictionary dictionary;
    dictionary.Append({u"中", u"中", u"", u""});
    PinyinMemo memo(dictionary);
    ColumnRuler ruler;
    AnnotationStream stream(memo, ruler, kWithTones, [](std::string_view) {});
    EXPECT_THROW(
        {
            stream.Add(u"a中");
            stream.Finish();
        },
        AnnotationFailure);
}

TEST(AnnotationStream, HoldsOnlyTheOpenLinesOfALongTextWithOrWithoutReadingsByWord) {
    const PinyinDictionary dictionary = HandMadeDictionary();
    const WordTable words =
        WordTable::Parse(WordTable::Serialise({{u"中中", {u"zhòng", u"zhōng"}}}), "test");
    const ReadingChooser chooser(&words, dictionary, true);
    for (const ReadingChooser* chosen : {static_cast<const ReadingChooser*>(nullptr), &chooser}) {
        PinyinMemo memo(dictionary);
        ColumnRuler ruler;
        size_t written = 0, largest = 0;
        AnnotationStream stream(
            memo, ruler, kWithTones,
            [&](std::string_view bytes) {
                written += bytes.size();
                largest = std::max(largest, bytes.size());
            },
            chosen);
        const std::u16string line(1000, u'中');
        for (int i = 0; i < 200; ++i) stream.Add(line);  // no line end at all
        EXPECT_GT(written, 1000000u);                    // passed on before the end
        stream.Finish();
        EXPECT_LT(largest, 1u << 18);
    }
}

}  // namespace
}  // namespace sorvani
