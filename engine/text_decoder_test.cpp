#include "text_decoder.h"

#include <gtest/gtest.h>

#include <random>

#include "cp936.h"
#include "line_break.h"
#include "utf8.h"

namespace sorvani::text {
namespace {

std::u16string Decode(std::string_view bytes) { return DecodeText(bytes, u"\n"); }

struct DecodingCase {
    const char* name;
    std::string bytes;
    std::u16string text;
};

void PrintTo(const DecodingCase& param, std::ostream* out) { *out << param.name; }

class Decoding : public testing::TestWithParam<DecodingCase> {};

TEST_P(Decoding, GivesTheText) { EXPECT_EQ(Decode(GetParam().bytes), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    TextDecoder, Decoding,
    testing::Values(
        DecodingCase{"Empty", "", u""},
        DecodingCase{"Utf8", "\xE6\xB1\x89\xE8\xAF\xAD abc", u"汉语 abc"},
        DecodingCase{"Utf8WithMark", "\xEF\xBB\xBF\xE6\xB1\x89\xE8\xAF\xAD", u"汉语"},
        DecodingCase{"MarkAlone", "\xEF\xBB\xBF", u""}, DecodingCase{"CutMark", "\xEF\xBB", u"锘"},
        DecodingCase{"CodePage936", "\xBA\xBA\xD3\xEF abc", u"汉语 abc"},
        // A mark does not make code page 936 text UTF-8.
        DecodingCase{"Utf8MarkBeforeCodePage936", "\xEF\xBB\xBF\xBA\xBA", u"汉"},
        DecodingCase{"LoneLeadByte", "\xBA", u"\uFFFD"},
        DecodingCase{"CodePage936AfterAscii", "abc\r\n\xD6\xD0", u"abc\n中"},
        DecodingCase{"Utf16LittleEndian", std::string("\xFF\xFE\x49\x6C\x0D\x00\x0A\x00", 8),
                     u"汉\n"},
        DecodingCase{"Utf16BigEndian", "\xFE\xFF\x6C\x49", u"汉"},
        DecodingCase{"Utf16SurrogatePair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), u"😀"},
        // Surrogate halves without their partners, which fuzzing found passing through.
        DecodingCase{"Utf16LoneSurrogates", std::string("\xFE\xFF\xDF\x06\xD8\x3D\x00\x61", 8),
                     u"\uFFFD\uFFFDa"},
        DecodingCase{"Utf16NulAndOddByte", std::string("\xFF\xFE\x00\x00\x61\x00\x62", 7),
                     u"\uFFFDa\uFFFD"},
        DecodingCase{"Utf16HighSurrogateAtEnd", "\xFE\xFF\xD8\x3D", u"\uFFFD"},
        DecodingCase{"MixedLineBreaks", "a\r\nb\nc\rd\r\n\r\ne\n\r", u"a\nb\nc\nd\n\ne\n\n"},
        DecodingCase{"LineBreaksInCodePage936", "\xBA\xBA\r\n\xD3\xEF", u"汉\n语"},
        // A text document parts lines at the Unicode separators too; the noncharacters are its
        // own marks of frames and no text.
        DecodingCase{"UnicodeSeparators", "a\u2028b\u2029c\r\u2029\n", u"a\nb\nc\n\n\n"},
        DecodingCase{"Noncharacters", "a\uFDD0b\uFDD1\uFDEF\uFFFE\uFFFF",
                     u"a\uFFFDb\uFFFD\uFFFD\uFFFD\uFFFD"},
        // Each side of the range that UTF-8 decoding passes on with one test, and surrogates
        // written as UTF-8, which are no text.
        DecodingCase{"Utf8AtTheEdgesOfItsQuickRange",
                     "\u0800\u2027\u202A\u3002\uD7FF\uE000\uFDCF\uFDF0\uFF0C\uFFFD",
                     u"\u0800\u2027\u202A\u3002\uD7FF\uE000\uFDCF\uFDF0\uFF0C\uFFFD"},
        DecodingCase{"Utf8Surrogate",
                     "\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D"
                     "\xED\xA0\x80",
                     u"\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D\u4E2D"
                     u"\uFFFD\uFFFD\uFFFD"},
        DecodingCase{"Utf16Separators", std::string("\xFE\xFF\x20\x29\xFD\xD0", 6), u"\n\uFFFD"},
        DecodingCase{"InvalidUtf8AmongMuchValid",
                     "\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD"
                     "\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xFF\xE4\xB8",
                     u"中中中中中中中中\uFFFD\uFFFD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextDecoder, LineBreaksBecomeTheOneAskedFor) {
    EXPECT_EQ(DecodeText("a\nb\rc\r\n", u"\r\n"), u"a\r\nb\r\nc\r\n");
    EXPECT_EQ(DecodeText("\r\r\n\n", u"\r\n"), u"\r\n\r\n\r\n");
}

TEST(TextDecoder, NulBytesAreNoTextOutsideUtf16) {
    for (const std::string& bytes :
         {std::string("\0", 1), std::string("abc\0", 4), std::string("\xEF\xBB\xBF\0", 4),
          std::string("\xBA\xBA\0", 3), std::string("\xFF\0\0\0", 4)})
        EXPECT_THROW(Decode(bytes), NotTextError) << bytes.size();
}

TEST(TextDecoder, OneStrayByteDoesNotTurnALongUtf8TextIntoCodePage936) {
    std::string bytes;
    for (int i = 0; i < 30000; ++i) bytes += "\xE4\xB8\xAD\xE6\x96\x87 ";  // 中文
    bytes += "\xFF";
    const std::u16string text = Decode(bytes);
    EXPECT_EQ(text.substr(0, 3), u"中文 ");
    EXPECT_EQ(text.back(), u'\uFFFD');
    EXPECT_EQ(text.size(), 90001u);
}

TEST(TextDecoder, CodePage936ThatLooksLikeUtf8HereAndThereStaysCodePage936) {
    // 浣犲ソ is what "你好" in UTF-8 reads as in the code page: valid UTF-8 once encoded.
    const std::string phrase = "\xE4\xBD\xA0\xE5\xA5\xBD\xA3\xAC\xCA\xC0\xBD\xE7";  // 你好，世界
    EXPECT_EQ(Decode(phrase), u"浣犲ソ，世界");
    EXPECT_EQ(Decode("\xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7"), u"你好，世界");
    // Three valid sequences do not outweigh one invalid byte.
    const std::string mostlyUtf8 = "\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xFF";
    EXPECT_EQ(Decode(mostlyUtf8), cp936::Decode(mostlyUtf8));
}

TEST(TextDecoder, TheChoiceLooksOnlyAtABoundedSampleFromTheFirstNonAsciiByte) {
    const std::string ascii(3 * kEncodingSample, 'a');
    // Code page 936 after a long stretch of ASCII is still seen.
    EXPECT_EQ(Decode(ascii + "\xD6\xD0").substr(ascii.size()), u"中");
    // Past the sample, code page 936 bytes in a UTF-8 text are no characters.
    std::string utf8;
    while (utf8.size() < kEncodingSample) utf8 += "\xE4\xB8\xAD";
    const std::u16string text = Decode(utf8 + "\xD6\xD0");
    EXPECT_EQ(text.substr(text.size() - 3), u"中\uFFFD\uFFFD");
}

// Pieces that end anywhere, inside a character, a mark, a CR LF pair or the sample, give the
// text of the whole.
std::u16string DecodeInPieces(std::string_view bytes, const std::vector<size_t>& ends) {
    TextDecoder decoder(u"\n");
    std::u16string text;
    size_t start = 0;
    for (size_t end : ends) {
        decoder.Decode(bytes.substr(start, end - start), text);
        start = end;
    }
    decoder.Decode(bytes.substr(start), text);
    decoder.Finish(text);
    return text;
}

TEST(TextDecoder, PiecesGiveTheTextOfTheWhole) {
    std::string longUtf8(kEncodingSample - 2, 'x');
    longUtf8 = "\xE4\xB8\xAD" + longUtf8 + "\xE4\xB8\xAD\xE4\xB8\xAD\r\n";
    const std::vector<std::string> inputs = {
        "\xEF\xBB\xBF\xE6\xB1\x89\r\n\xE8\xAF\xAD\r\r\n",
        "\xBA\xBA\r\n\xD3\xEF\xFF\xBA",
        std::string("\xFF\xFE\x3D\xD8\x00\xDE\x0D\x00\x0A\x00\x49", 11),
        std::string("\xFE\xFF\xD8\x3D\xDE\x00\x00\x0D", 8),
        "ab\r\xE4\xB8\xAD\xE4\xB8",
        longUtf8,
        longUtf8.substr(0, kEncodingSample + 1),
        longUtf8.substr(0, kEncodingSample),
    };
    for (const std::string& bytes : inputs) {
        const std::u16string whole = Decode(bytes);
        for (size_t end = 0; end <= bytes.size(); end += bytes.size() > 100 ? 997 : 1)
            ASSERT_EQ(DecodeInPieces(bytes, {end}), whole) << bytes.size() << " at " << end;
        for (size_t end : {kEncodingSample - 1, kEncodingSample, kEncodingSample + 1,
                           kEncodingSample + 2, kEncodingSample + 3}) {
            if (end <= bytes.size()) {
                ASSERT_EQ(DecodeInPieces(bytes, {end}), whole) << bytes.size() << " at " << end;
            }
        }
        std::vector<size_t> everyByte(bytes.size() < 100 ? bytes.size() : 0);
        for (size_t i = 0; i < everyByte.size(); ++i) everyByte[i] = i;
        ASSERT_EQ(DecodeInPieces(bytes, everyByte), whole) << bytes.size();
    }
}

TEST(TextDecoder, RandomBytesInRandomPiecesGiveTheTextOfTheWhole) {
    std::mt19937 random(7);
    const std::string alphabet = "\r\n a\xE4\xB8\xAD\xBA\xD3\xEF\xFF\xFE\xBB\xBF\x80\xF0\x9F";
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 24, ' ');
        for (char& c : bytes) c = alphabet[random() % alphabet.size()];
        if (round % 3 == 0) bytes.insert(0, round % 2 ? "\xFF\xFE" : "\xEF\xBB\xBF");
        std::vector<size_t> ends;
        for (size_t end = 0; end < bytes.size(); end += random() % 4) ends.push_back(end);
        const std::u16string whole = Decode(bytes);
        ASSERT_EQ(DecodeInPieces(bytes, ends), whole) << round;
        ASSERT_TRUE(whole.find(u'\r') == std::u16string::npos);
    }
}

// UTF-8 reads three-byte sequences, nearly all Chinese, by quicker ways than other sequences (one
// at a time, and two at a time after one): all must agree with the sequence reader, for valid
// bytes and for every near miss, at the end of the bytes and amid Chinese alike.
TEST(TextDecoder, Utf8ReadsAsTheSequenceReaderDoes) {
    const std::string prose = "\xE4\xBB\x8A\xE5\xA4\xA9\xE6\x97\xA9\xE4\xB8\x8A\xEF\xBC\x8C ok";
    std::string utf8;
    for (int i = 0; i < 16; ++i) utf8 += prose;
    const auto reference = [](std::string_view bytes) {
        std::u16string text;
        while (!bytes.empty()) {
            const Utf8Sequence sequence = ReadUtf8Sequence(bytes);
            const bool character = sequence.kind == Utf8Sequence::Kind::Valid &&
                                   (sequence.character > 0xFFFF ||
                                    !IsNoncharacter(static_cast<char16_t>(sequence.character)));
            const bool lineBreak = sequence.kind == Utf8Sequence::Kind::Valid &&
                                   sequence.character < 0x10000 &&
                                   IsLineBreak(static_cast<char16_t>(sequence.character));
            AppendUtf16(text, lineBreak ? U'\n' : character ? sequence.character : U'\uFFFD');
            bytes.remove_prefix(sequence.length);
        }
        return text;
    };
    // Three bytes that fit the quick ways' test of the bytes but go on as no plain character: the
    // separators, a noncharacter of each kind, a surrogate and an overlong form, first or second
    // of a pair, after one Chinese character or two.
    const std::string chinese = prose.substr(0, 3);
    // The quotation marks below the separators, and the edges of their range, go on as they are.
    for (const std::string special :
         {"\xE2\x80\xA8", "\xE2\x80\xA9", "\xEF\xBF\xBE", "\xEF\xB7\x90", "\xED\xA0\x80",
          "\xE0\x80\x80", "\xE0\x9F\xBF", "\xE0\xA0\x80", "\xE2\x80\x9C", "\xE2\x80\xA7"}) {
        for (int before = 1; before <= 4; ++before) {
            std::string bytes;
            for (int i = 0; i < before; ++i) bytes += chinese;
            bytes += special + utf8;
            ASSERT_EQ(Decode(bytes), reference(bytes)) << before;
        }
    }
    std::mt19937 random(15);
    const std::string alphabet =
        "a\xE0\xE2\xE4\xEC\xED\xEE\xEF\x80\x8F\x9F\xA0\xA8\xA9\xBE\xBF\xC0\xC3\xF0\x9F\xFF";
    for (int round = 0; round < 3000; ++round) {
        std::string tail(random() % 12, ' ');
        for (char& c : tail) c = alphabet[random() % alphabet.size()];
        // Chinese after the near misses too, from any alignment.
        const std::string bytes = utf8 + tail + prose.substr(0, 15);
        const std::u16string expected = reference(bytes);
        ASSERT_EQ(Decode(bytes), expected) << round;
        std::vector<size_t> ends;
        for (size_t end = utf8.size() - 5; end < bytes.size(); end += 1 + random() % 3)
            ends.push_back(end);
        ASSERT_EQ(DecodeInPieces(bytes, ends), expected) << round;
    }
}

}  // namespace
}  // namespace sorvani::text
