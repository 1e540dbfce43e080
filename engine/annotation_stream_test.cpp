#include "annotation_stream.h"

#include <gtest/gtest.h>

#include <random>

#include "annotation_run.h"
#include "column_ruler.h"
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
                      int16_t toneFlag) {
    PinyinMemo memo(dictionary);
    ColumnRuler ruler;
    TextOutputBox output;
    NoEventLoop events;
    AnnotatedLinePair pair;
    RunAnnotation(text, toneFlag, pair, {memo, ruler, output, events});
    return EncodeUtf8(output.Text());
}

std::string Streamed(const PinyinDictionary& dictionary, std::u16string_view text, int16_t toneFlag,
                     std::mt19937& random) {
    PinyinMemo memo(dictionary);
    ColumnRuler ruler;
    std::string out;
    AnnotationStream stream(memo, ruler, toneFlag,
                            [&out](std::string_view bytes) { out += bytes; });
    while (!text.empty()) {
        const size_t length = std::min<size_t>(text.size(), random() % 100);
        stream.Add(text.substr(0, length));
        text.remove_prefix(length);
    }
    stream.Finish();
    return out;
}

// Random text from pieces that meet every rule of the layout: line ends, wide and narrow
// characters, joining marks (in runs longer than a chunk too), surrogate pairs and lone halves.
std::u16string RandomText(std::mt19937& random) {
    static const std::u16string_view kPieces[] = {
        u"中",     u"国", u"啊", u"长",         u"行", u"好",     u"a",      u" ",
        u"\r\n",   u"\r", u"\n", u"，",         u"😀",  u"\u0301", u"\uFE0F", u"\xD800",
        u"\xDC00", u"한", u"é",  u"\U000E0100", u"一", u"\uFFFD", u"\u3000"};
    std::u16string text;
    const size_t pieces = random() % 400;
    for (size_t i = 0; i < pieces; ++i) {
        if (random() % 200 == 0) text.append(90 + random() % 30, u'\u0301');
        text.append(kPieces[random() % std::size(kPieces)]);
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
        std::invalid_argument);
}

TEST(AnnotationStream, HoldsOnlyTheOpenLinesOfALongText) {
    const PinyinDictionary dictionary = HandMadeDictionary();
    PinyinMemo memo(dictionary);
    ColumnRuler ruler;
    size_t written = 0, largest = 0;
    AnnotationStream stream(memo, ruler, kWithTones, [&](std::string_view bytes) {
        written += bytes.size();
        largest = std::max(largest, bytes.size());
    });
    const std::u16string line(1000, u'中');
    for (int i = 0; i < 200; ++i) stream.Add(line);  // no line end at all
    EXPECT_GT(written, 1000000u);                    // passed on before the end
    stream.Finish();
    EXPECT_LT(largest, 1u << 18);
}

}  // namespace
}  // namespace sorvani
