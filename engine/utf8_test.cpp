#include "utf8.h"

#include <gtest/gtest.h>

namespace sorvani {
namespace {

TEST(Utf8, RoundTripsEveryPlane) {
    const std::u16string text = u"a é 中 \U0001F600 \uFFFF";
    const std::string bytes = EncodeUtf8(text);
    EXPECT_EQ(bytes, "a \xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x98\x80 \xEF\xBF\xBF");
    EXPECT_EQ(DecodeUtf8(bytes), text);
}

TEST(Utf8, RejectsWhatIsNotUtf8) {
    for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xE4\xB8", "\x80", "\xFF", "\xD6\xD0"})
        EXPECT_FALSE(DecodeUtf8(bad).has_value()) << bad;
}

TEST(Utf8, LoneSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(EncodeUtf8(u"\xD83D"
                         "x"),
              "\xEF\xBF\xBDx");
    EXPECT_EQ(EncodeUtf8(u"\xDE00"), "\xEF\xBF\xBD");
}

// Pieces parted at every pair of places give the text of the whole: sequences of every length
// cut anywhere, and bytes that are no character (a lead without its continuation, a stray
// continuation, an overlong form, a surrogate) before, inside and after them.
TEST(Utf8, PiecesDecodeAsTheWhole) {
    const std::string bytes =
        "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\xE4\xB8x\x80\xF0\x9F\xC0\xAF\xED\xA0\x80\xE4";
    const std::u16string whole =
        u"a\u00E9\u4E2D\U0001F600\uFFFDx\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD";
    for (size_t first = 0; first <= bytes.size(); ++first) {
        for (size_t second = first; second <= bytes.size(); ++second) {
            Utf8Decoder decoder;
            std::u16string text;
            decoder.Decode(std::string_view(bytes).substr(0, first), text);
            decoder.Decode(std::string_view(bytes).substr(first, second - first), text);
            decoder.Decode(std::string_view(bytes).substr(second), text);
            decoder.Finish(text);
            EXPECT_EQ(text, whole) << first << " " << second;
        }
    }
    Utf8Decoder decoder;
    std::u16string text;
    decoder.Decode("\xE4\xB8", text);
    EXPECT_EQ(text, u"");
    decoder.Finish(text);
    EXPECT_EQ(text, u"\uFFFD");
}

}  // namespace
}  // namespace sorvani
